#include "curve/ui/band_job.h"

#include <QThread>
#include <algorithm>
#include <exception>
#include <new>

#include "series/float_fault.h"

namespace aqualen::ui {

namespace {

BandOutcome RunBand(const BandRequest& request)
{
    BandOutcome outcome;
    try {
        outcome.band = ComputeBand(request);
    } catch (const dist::FitRefused& refused) {
        outcome.refusal = refused.what();
    } catch (const std::bad_alloc&) {
        outcome.fault = "Out of memory";
    } catch (const std::exception& fault) {
        outcome.fault = fault.what();
    }
    return outcome;
}

} // namespace

BandJob::BandJob(QObject* parent) : QObject(parent) {}

BandJob::~BandJob()
{
    for (QThread* thread : threads_) {
        thread->disconnect(this);
        thread->wait();
        delete thread;
    }
}

void BandJob::Start(BandRequest request)
{
    auto outcome = std::make_shared<BandOutcome>();
    QThread* thread = QThread::create([outcome, request = std::move(request)] { *outcome = RunBand(request); });
    threads_.push_back(thread);
    current_ = thread;
    outcome_ = outcome;
    connect(thread, &QThread::finished, this, [this, thread] {
        Deliver(thread);
        threads_.erase(std::remove(threads_.begin(), threads_.end(), thread), threads_.end());
        thread->deleteLater();
    });
    thread->start(QThread::LowPriority);
}

void BandJob::Drop()
{
    current_ = nullptr;
    outcome_.reset();
}

void BandJob::Wait()
{
    if (!current_)
        return;
    current_->wait();
    Deliver(current_);
}

void BandJob::Deliver(QThread* thread)
{
    if (thread != current_ || !outcome_)
        return;
    const std::shared_ptr<BandOutcome> outcome = std::move(outcome_);
    current_ = nullptr;
    emit Finished(*outcome);
}

} // namespace aqualen::ui
