#pragma once

#include "AppletAgent.h"

#include <string>

namespace vantrel {

// The editing rules of a vantrel document that belong to its records: the
// new item's record, the initial-visibility rules and what a commit of the
// property panels writes. The window only moves values between its controls
// and these operations.
class VantrelDocument
{
public:
    // The record of an item about to be added under `selected` (the root
    // when null): its level and indent follow the new node's depth, and it
    // joins the visibility of the sibling group it enters.
    static kzt::TItemData NewItemData(const kzt::TkztAppletAgent& agent, const kzt::TreeNode* selected);

    // Adds that item as the last child of `selected`, record and node together.
    static kzt::TreeNode* InsertItem(kzt::TkztAppletAgent& agent, kzt::TreeNode* selected);

    // The author chose a visibility for `node`. Invisible hides the node's
    // whole sibling group with everything below it; Visible shows the group
    // and every group above it up to the top. Top-level items stay visible.
    // Returns the value the box shows afterwards ("0" or "1").
    static std::string SetInitVisibility(kzt::TkztAppletAgent& agent, const kzt::TreeNode* node, bool visible);

    // What a commit writes besides the controls' values: trimmed file names
    // and texts, reserved fields "0", a width of "0" for a border without a
    // style; for an item also its level, an empty normal-state sound and an
    // empty style number (the page refills it).
    static void CommitAppletRecord(kzt::TAppletData& applet);
    static void CommitItemRecord(kzt::TItemData& item, int level);

    // Commits a record for `node` and stores it, its caption in the node too.
    static void StoreItemRecord(kzt::TkztAppletAgent& agent, const kzt::TreeNode* node, kzt::TItemData item);
};

} // namespace vantrel
