#pragma once
// Makes the run's TSetupPayload on a thread of its own while the window
// system starts: checking the payload and unpacking what the pages need
// then add little to the wait for the first page. Nothing else writes to
// the run's log until the payload is taken. Windows only.
#include <memory>
#include <string>

#include "app/SetupPayload.h"
#include "platform/Thread.h"

class TPayloadInAdvance {
public:
    // As TSetupPayload's constructor, which it runs at once on the thread.
    // onRemovalError hears on the calling thread only: of a failed
    // construction's working folder when the payload is taken.
    TPayloadInAdvance(const std::string& programFolder, bool withSkin, TRunLog* log,
                      TWorkFolderRemoval::TErrorHandler onRemovalError);
    // Waits for the thread; a payload not taken goes with it.
    ~TPayloadInAdvance();
    TPayloadInAdvance(const TPayloadInAdvance&) = delete;
    TPayloadInAdvance& operator=(const TPayloadInAdvance&) = delete;

    // Waits for the payload and hands it over; raises Exception with the
    // message its construction raised.
    std::unique_ptr<TSetupPayload> Take();

private:
    void Finish();

    TWorkFolderRemoval::TErrorHandler onRemovalError_;
    std::string removalFailure_;  // of a failed construction
    std::string failure_;
    bool failed_ = false;
    std::unique_ptr<TSetupPayload> payload_;
    std::unique_ptr<platform::TWorkerThread> thread_;
};
