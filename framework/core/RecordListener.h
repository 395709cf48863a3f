#pragma once

#include <cstddef>

namespace kzt {

// Told about every change of a document's records, beside the changes of
// its item tree (ItemTreeListener): a preview, an undo history or a live
// page server follows the document through these two alone.
//
// - appletChanged: the global parameters hold new values.
// - itemsChanged: the items first .. first+count-1 hold new values; their
//   places in the tree are unchanged. Field edits committed from the panels,
//   a bulk copy (one call per run of neighbouring items), a caption set from
//   the tree and pasted records (after the tree has told of their insertion)
//   arrive here.
// - recordsReplaced: every record may have changed at once (New, Open, a
//   structure import); the tree has been reset as well.
//
// Listeners are called after the change, in the order they were added, and
// only when a value really changed. A listener may remove itself (or another)
// while being told.
class RecordListener
{
public:
    virtual ~RecordListener() = default;

    virtual void appletChanged() {}
    virtual void itemsChanged(std::size_t /*first*/, std::size_t /*count*/) {}
    virtual void recordsReplaced() {}
};

} // namespace kzt
