#include "OfferRead.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString HintType = QString::fromLatin1(PasswordHintType);
} // namespace

TOfferRead::TOfferRead(zwlr_data_control_offer_v1* offer, const QStringList& types, bool announce,
                       TReadBudget& budget, std::function<void()> flush)
    : Offer(offer), Types(types), Announced(announce), Budget(budget), Flush(std::move(flush)) {
    Silence.setSingleShot(true);
    Silence.setInterval(OwnerAnswerTimeoutMs);
    connect(&Silence, &QTimer::timeout, this, [this] { EndOfStage(false); });
    Deadline.setSingleShot(true);
    connect(&Deadline, &QTimer::timeout, this, &TOfferRead::GiveUp);
    Deadline.start(ReadDeadlineMs);
    if (!Offer) { // the clipboard was emptied
        Finish();
        return;
    }
    if (Types.contains(HintType)) {
        Stage = TStage::Hint;
        Receive(HintType);
        return;
    }
    StartText();
}

TOfferRead::~TOfferRead() {
    Budget.InUse -= Held;
    delete Notifier;
    if (Fd >= 0)
        ::close(Fd);
    if (Offer)
        zwlr_data_control_offer_v1_destroy(Offer);
}

void TOfferRead::Receive(const QString& type) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        Finish();
        return;
    }
    zwlr_data_control_offer_v1_receive(Offer, type.toUtf8().constData(), fds[1]);
    ::close(fds[1]);
    Flush();
    Fd = fds[0];
    Budget.InUse -= std::exchange(Held, 0);
    Data.clear();
    Notifier = new QSocketNotifier(Fd, QSocketNotifier::Read);
    connect(Notifier, &QSocketNotifier::activated, this, &TOfferRead::Readable);
    Silence.start();
}

void TOfferRead::Readable() {
    char block[65536];
    // An owner that writes as fast as it is read would keep the thread here for good: after a
    // few blocks the other reads and the desktop's events get their turn.
    for (int blocks = 0; blocks < 16; ++blocks) {
        const ssize_t n = ::read(Fd, block, sizeof block);
        if (n > 0) {
            if (!Take(block, n))
                return;
            continue;
        }
        if (n == 0) {
            EndOfStage(true);
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            EndOfStage(false);
        else
            Silence.start(); // an answer is coming: wait again
        return;
    }
    Silence.start();
}

bool TOfferRead::Take(const char* bytes, qsizetype size) {
    const qsizetype limit = Stage == TStage::Hint ? MaxHintBytes : MaxClipBytes;
    if (Data.size() + size > limit || Budget.InUse + size > Budget.Limit) {
        Snapshot.TooLarge = Stage == TStage::Text;
        EndOfStage(false); // a hint too long counts as unreadable
        return false;
    }
    Data.append(bytes, size);
    Held += size;
    Budget.InUse += size;
    return true;
}

void TOfferRead::GiveUp() {
    if (Done)
        return;
    Stage = TStage::Text; // a hint not read whole is no reason to read the text
    Snapshot = {};
    EndOfStage(false);
}

void TOfferRead::StartText() {
    for (const char* type : TDataControl::TextTypes) {
        if (Types.contains(QString::fromLatin1(type))) {
            Stage = TStage::Text;
            Receive(type);
            return;
        }
    }
    Finish(); // no text: a picture, files
}

// complete: the owner wrote everything and closed its end.
void TOfferRead::EndOfStage(bool complete) {
    Silence.stop();
    delete std::exchange(Notifier, nullptr);
    if (Fd >= 0)
        ::close(std::exchange(Fd, -1));
    if (Stage == TStage::Hint) {
        // A hint that cannot be read counts as a secret: never recorded.
        Snapshot.Secret = !complete || IsSecretHint(Data);
        if (Snapshot.Secret)
            Finish();
        else
            StartText();
        return;
    }
    // Nothing at all is no text: the owner's copy was replaced before it could answer.
    if (complete && !Snapshot.TooLarge && !Data.isEmpty()) {
        Snapshot.HasText = true;
        Snapshot.Text = std::move(Data);
    }
    Finish();
}

void TOfferRead::Finish() {
    Deadline.stop();
    Done = true;
    emit Finished();
}
