#include "app/PayloadInAdvance.h"

#include "archive/WholeEntryArchive.h"
#include "platform/Exception.h"

TPayloadInAdvance::TPayloadInAdvance(const std::string& programFolder, bool withSkin, TRunLog* log,
                                     TWorkFolderRemoval::TErrorHandler onRemovalError)
    : onRemovalError_(std::move(onRemovalError)) {
    thread_ = std::make_unique<platform::TWorkerThread>([=, this] {
        try {
            TWholeEntryArchive archiver;
            payload_ = std::make_unique<TSetupPayload>(
                archiver, programFolder, withSkin, log,
                [this](const std::exception& error) { removalFailure_ = error.what(); });
        } catch (const std::exception& error) {
            failure_ = error.what();
            failed_ = true;
        }
    });
}

TPayloadInAdvance::~TPayloadInAdvance() { Finish(); }

// Once the thread has ended, the payload tells its caller's handler itself.
void TPayloadInAdvance::Finish() {
    if (!thread_) return;
    thread_.reset();
    if (payload_) payload_->SetRemovalErrorHandler(onRemovalError_);
    if (!removalFailure_.empty() && onRemovalError_) onRemovalError_(Exception(removalFailure_));
}

std::unique_ptr<TSetupPayload> TPayloadInAdvance::Take() {
    Finish();
    if (failed_) throw Exception(failure_);
    if (!payload_) throw Exception("The setup's payload was taken already");
    return std::move(payload_);
}
