// Actions handed over by a second start of the program, from its command line. They answer
// at once, with no box to close: the answer goes to the terminal or key binding that asked.
#include "config/Config.h"
#include "core/Errors.h"
#include "grid/KXStringGrid.h"
#include "main/fMain.h"

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
    const int rows = StringGrid1->RowCount();
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
            if (request.Number >= rows)
                return Failed(MessageText(QStringLiteral("There is no clip %1: the list has %2 "
                                                         "rows."))
                                  .arg(request.Number)
                                  .arg(rows));
            if (request.Action == TAction::Print)
                return Ok(ClipAt(request.Number));
            WriteClipboardOwn(ClipAt(request.Number));
            return Ok();
        case TAction::Add:
            return AddFromCommand(request.Input);
        default:
            return Failed(QStringLiteral("Quillery did not understand the request."));
        }
    } catch (const EQuillery& e) {
        return Failed(e.Message());
    }
}

TReply TQuilleryMainForm::AddFromCommand(const QByteArray& text) {
    if (Config->NoArc)
        return Failed(MessageText(QStringLiteral("Recording is suspended: no clip was added.")));
    if (text.isEmpty())
        return Failed(MessageText(QStringLiteral("The input was empty: no clip was added.")));
    RecordCopy(text); // the top clip already: nothing, as for a repeated copy
    return Ok();
}
