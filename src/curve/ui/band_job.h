#pragma once
// Runs the bootstrap band of the sheet's analytic curve on a thread of its
// own, so that the window stays responsive, and hands the outcome back on the
// window's thread. Only the latest request counts: an earlier one still
// running is left to finish and its outcome dropped.

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "curve/analytic_fit.h"

class QThread;

namespace aqualen::ui {

struct BandOutcome {
    std::optional<dist::Band> band; // the limits, or
    std::string refusal;            // why the band cannot be had (dist::FitRefused), or
    std::string fault;              // the text of a fault
};

class BandJob : public QObject {
    Q_OBJECT
public:
    explicit BandJob(QObject* parent);
    // Waits for every thread still running: none may outlive its object.
    ~BandJob() override;

    void Start(BandRequest request);
    // Forgets the latest request; its outcome will not be delivered.
    void Drop();
    bool Running() const { return current_ != nullptr; }
    // Blocks until the latest request is done and its outcome delivered.
    void Wait();

signals:
    void Finished(const aqualen::ui::BandOutcome& outcome);

private:
    void Deliver(QThread* thread);

    std::vector<QThread*> threads_; // all still running, dropped ones too
    QThread* current_ = nullptr;
    std::shared_ptr<BandOutcome> outcome_;
};

} // namespace aqualen::ui
