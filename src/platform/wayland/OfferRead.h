#pragma once

#include "DataControl.h"
#include "platform/Clipboard.h"

#include <QObject>
#include <QTimer>

#include <functional>

// Reads one copy's text from its offer without blocking: the password manager's hint first
// where one is offered (a secret is never read), then the text in the best type offered. An
// owner that stops writing for OwnerAnswerTimeoutMs, or a text past MaxClipBytes, ends the read.
class TOfferRead : public QObject {
    Q_OBJECT
public:
    TOfferRead(zwlr_data_control_offer_v1* offer, const QStringList& types, bool announce,
               std::function<void()> flush);
    ~TOfferRead() override;
    bool IsDone() const { return Done; }
    bool Announce() const { return Announced; }
    const TClipSnapshot& Result() const { return Snapshot; }

signals:
    void Finished();

private:
    void StartText();
    void Receive(const QString& type);
    void Readable();
    void EndOfStage(bool complete);
    void Finish();

    zwlr_data_control_offer_v1* Offer;
    QStringList Types;
    bool Announced;
    std::function<void()> Flush;
    enum class TStage { Hint, Text } Stage = TStage::Text;
    int Fd = -1;
    QSocketNotifier* Notifier = nullptr;
    QTimer Silence;
    QByteArray Data;
    bool Done = false;
    TClipSnapshot Snapshot;
};
