// Actions handed over by a second start of the program, from its command line. They answer
// at once, with no box to close: the answer goes to the terminal or key binding that asked.
#include "core/Errors.h"
#include "core/config/Config.h"
#include "core/text/ClipText.h"
#include "fMain.h"
#include "gui/grid/KXStringGrid.h"

using TReply = CommandChannel::TAnswer;

namespace {
TReply Ok(const QByteArray& output = {}) {
    return {0, output};
}
TReply Failed(const QString& reason) {
    return {1, (reason + u'\n').toUtf8()};
}
} // namespace

TReply TQuilleryMainForm::RunAction(const CommandChannel::TRequest& request) {
    // The rows up to the last clip: the empty rows after it are no clips to print or copy.
    int clips = StringGrid1->RowCount();
    while (clips > 0 && ClipAt(clips - 1).isEmpty())
        --clips;
    const auto noSuchClip = [this, clips](int number) {
        if (clips == 0)
            return Failed(
                MessageText(QStringLiteral("There is no clip %1: the list is empty.")).arg(number));
        return Failed(MessageText(QStringLiteral("There is no clip %1: the clips are numbered 0 "
                                                 "to %2."))
                          .arg(number)
                          .arg(clips - 1));
    };
    try {
        switch (request.Action) {
        case TAction::SeriesPaste:
            SeriesPaste();
            return Ok();
        case TAction::Paste: // whatever RowPaste says: the user asked for this one
            PasteByNumber(request.Number + 1);
            return Ok();
        case TAction::Toggle:
            ToggleShowHide();
            return Ok();
        case TAction::Copy:
        case TAction::Print:
            if (request.Number >= clips)
                return noSuchClip(request.Number);
            if (request.Action == TAction::Print)
                return Ok(ClipAt(request.Number));
            WriteClipboardOwn(ClipAt(request.Number));
            return Ok();
        case TAction::Add:
            return AddFromCommand(request.Input);
        case TAction::List:
            return Ok(ListForLauncher());
        default:
            return Failed(QStringLiteral("Quillery did not understand the request."));
        }
    } catch (const EQuillery& e) {
        return Failed(e.Message());
    }
}

// Empty rows are no clips to pick; the numbers stay the rows', for --copy and --print.
QByteArray TQuilleryMainForm::ListForLauncher() const {
    QByteArray lines;
    for (int row = 0; row < StringGrid1->RowCount(); ++row) {
        const QByteArray clip = ClipAt(row);
        if (!clip.isEmpty())
            lines += QByteArray::number(row) + '\t' + ClipText::OneLine(clip).toUtf8() + '\n';
    }
    return lines;
}

TReply TQuilleryMainForm::AddFromCommand(const QByteArray& text) {
    if (Config->NoArc)
        return Failed(MessageText(QStringLiteral("Recording is suspended: no clip was added.")));
    if (text.isEmpty())
        return Failed(MessageText(QStringLiteral("The input was empty: no clip was added.")));
    RecordCopy(text); // the top clip already: nothing, as for a repeated copy
    return Ok();
}
