#include "OfferRead.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString HintType = QString::fromLatin1(PasswordHintType);
} // namespace

TOfferRead::TOfferRead(zwlr_data_control_offer_v1* offer, const QStringList& types, bool announce,
                       std::function<void()> flush)
    : Offer(offer), Types(types), Announced(announce), Flush(std::move(flush)) {
    Silence.setSingleShot(true);
    Silence.setInterval(OwnerAnswerTimeoutMs);
    connect(&Silence, &QTimer::timeout, this, [this] { EndOfStage(false); });
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
    Data.clear();
    Notifier = new QSocketNotifier(Fd, QSocketNotifier::Read);
    connect(Notifier, &QSocketNotifier::activated, this, &TOfferRead::Readable);
    Silence.start();
}

void TOfferRead::Readable() {
    char block[65536];
    for (;;) {
        const ssize_t n = ::read(Fd, block, sizeof block);
        if (n > 0) {
            Data.append(block, n);
            if (Stage == TStage::Text && Data.size() > MaxClipBytes) {
                Snapshot.TooLarge = true;
                EndOfStage(false);
                return;
            }
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
    if (complete && !Snapshot.TooLarge) {
        Snapshot.HasText = true;
        Snapshot.Text = std::move(Data);
    }
    Finish();
}

void TOfferRead::Finish() {
    Done = true;
    emit Finished();
}
