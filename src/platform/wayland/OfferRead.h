#pragma once

#include "DataControl.h"
#include "platform/Clipboard.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// What all reads in flight may hold together: a few owners answering with endless text at
// once must not add up to gigabytes. One clip of the largest size still fits alone.
struct TReadBudget {
    qsizetype Limit = MaxClipBytes;
    qsizetype InUse = 0;
};

// Reads one copy's text from its offer without blocking: the password manager's hint first
// where one is offered (a secret is never read), then the text in the best type offered. An
// owner that stops writing for OwnerAnswerTimeoutMs, that is not done by ReadDeadlineMs, or a
// text past MaxClipBytes or past what the budget has left, ends the read.
class TOfferRead : public QObject {
    Q_OBJECT
public:
    // However slowly an owner drips, the copies after it wait no longer than this.
    static constexpr int ReadDeadlineMs = 5000;
    // A hint is a word; anything longer is no hint a password manager gives.
    static constexpr qsizetype MaxHintBytes = 256;

    TOfferRead(zwlr_data_control_offer_v1* offer, const QStringList& types, bool announce,
               TReadBudget& budget, std::function<void()> flush);
    ~TOfferRead() override;
    bool IsDone() const { return Done; }
    bool Announce() const { return Announced; }
    const TClipSnapshot& Result() const { return Snapshot; }
    // Ends the read now, with no text: the program ends, or too many reads are in flight.
    void GiveUp();

signals:
    void Finished();

private:
    void StartText();
    void Receive(const QString& type);
    void Readable();
    bool Take(const char* bytes, qsizetype size); // false: the read ended
    void EndOfStage(bool complete);
    void Finish();

    zwlr_data_control_offer_v1* Offer;
    QStringList Types;
    bool Announced;
    TReadBudget& Budget;
    std::function<void()> Flush;
    enum class TStage { Hint, Text } Stage = TStage::Text;
    int Fd = -1;
    QSocketNotifier* Notifier = nullptr;
    QTimer Silence;
    QTimer Deadline;
    QByteArray Data;
    qsizetype Held = 0; // of the budget
    bool Done = false;
    TClipSnapshot Snapshot;
};
