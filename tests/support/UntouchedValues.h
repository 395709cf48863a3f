#pragma once

#include "FieldBinding.h"
#include "Records.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class WindowTestWorld;

namespace kzt {
class EditorMainWindow;
class TkztAppletAgent;
}

// The check that a window rewrites no value the author did not edit: a
// project is opened, every item selected in turn, the document committed and
// saved, and the file compared with what the command line publishes from the
// same file.
namespace UntouchedValues {

// Values no control can show exactly: not numbers, out of range, unknown
// choices, malformed and empty colours, switches neither "1" nor "0", blanks
// at the ends of a text, 8-bit text. None holds the field separator.
const std::vector<std::string>& hostileValues();

// The fields a binding feeds, shifted by the offset.
std::vector<std::size_t> boundFields(const kzt::FieldBinding& binding, std::size_t offset = 0);

// A random document: `items` items in a random shape, and in the given
// fields of the global record and of every item a hostile value or the
// field's own value, at random.
void scramble(kzt::TkztAppletAgent& agent, std::uint32_t seed, std::size_t items,
              const std::vector<std::size_t>& appletFields, const std::vector<std::size_t>& itemFields);

// Selects the root, every item in turn, the first item again and the root.
void walk(WindowTestWorld& world, kzt::EditorMainWindow& window);

// The project file `--publish PATH --to FOLDER` writes.
QByteArray published(kzt::EditorMainWindow& window, const QString& path, const QString& folder);

// Writes the window's document to `path`, opens it in the window, walks it,
// saves it and returns what the save wrote; `expected` receives what the
// command line publishes from the same file.
QByteArray walkAndSave(WindowTestWorld& world, kzt::EditorMainWindow& window, const QString& path,
                       QByteArray& expected);

// The first line that differs, for a failure message.
QString firstDifference(const QByteArray& expected, const QByteArray& actual);

// One binding of a product's panels: the global record's or the items'.
struct Bound
{
    const kzt::FieldBinding* binding;
    std::size_t offset = 0;
    bool applet = false;
};

// Applies what a product's commit rules change by design (derived fields,
// trimmed texts, reserved values) to the document before it is written, so
// the file holds what a commit keeps.
using Derive = std::function<void(kzt::TkztAppletAgent&)>;

// A value the control of this kind cannot show; `variant` picks another one.
std::string unshowable(const kzt::FieldControl& entry, int variant);

// Two items; every bound field of the global record and of both items holds
// a value its control cannot show. Selected, left, selected again, committed
// and saved, the file is the one written before, byte for byte.
void checkUnshowableValuesKept(WindowTestWorld& world, kzt::EditorMainWindow& window, const std::vector<Bound>& bound,
                               const QString& path, const Derive& derive = {});

// After the check above: every control of the first item and of the global
// record edited (to a value it can show) stores that value on commit.
void checkEditsReplaceKeptValues(WindowTestWorld& world, kzt::EditorMainWindow& window,
                                 const std::vector<Bound>& bound);

// Random projects walked and saved equal the command line's publishing of
// the same files.
void checkRandomWalks(WindowTestWorld& world, kzt::EditorMainWindow& window, const std::vector<Bound>& bound,
                      const QString& folder, int projects, const Derive& derive = {});

} // namespace UntouchedValues
