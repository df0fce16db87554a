#include "PasteQueue.h"

#include "platform/PasteTarget.h"

TPasteQueue::TPasteQueue(IPasteTarget& target,
                         std::function<void(const QByteArray&)> putOnClipboard)
    : Target(target), PutOnClipboard(std::move(putOnClipboard)) {}

int TPasteQueue::Add(const QByteArray& text) {
    TPending paste{text, Target.FindPasteWindow(), {}};
    paste.Pressed.start();
    Pending.append(std::move(paste));
    return Pasting ? 0 : Next();
}

int TPasteQueue::Done() {
    Pasting = false;
    return Next();
}

int TPasteQueue::Next() {
    int dropped = 0;
    while (!Pending.isEmpty()) {
        const TPending paste = Pending.takeFirst();
        if (paste.Pressed.hasExpired(MaxWaitMs) || (paste.Window && !Target.IsOpen(paste.Window))) {
            ++dropped;
            continue;
        }
        PutOnClipboard(paste.Text);
        if (paste.Window) {
            Pasting = true;
            Target.Paste(paste.Window);
            break;
        }
    }
    return dropped;
}
