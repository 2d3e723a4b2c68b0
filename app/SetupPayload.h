#pragma once
// The payload beside the program as one run of the setup uses it: checked
// against the digest the program carries, held against writing for the
// whole run, its table read, and what the run needs before it installs
// unpacked into a fresh working folder, which goes again at the end. The
// product's files stay in the payload; the copy takes them from there.
// Windows only.
#include <memory>
#include <string>

#include "app/PayloadEntries.h"
#include "app/WorkFolder.h"
#include "app/WorkFolderMarker.h"

class TFileStream;
class TRunLog;
class TZLBArchive;

class TSetupPayload {
public:
    // The payload "Data.Kel" beside the program in programFolder (ending in
    // a backslash). withSkin: the skin's pictures are unpacked too, for a
    // run with a window. Raises with the message for the user when the
    // payload is not the program's, is damaged or cannot be unpacked; the
    // working folder made so far goes again.
    TSetupPayload(TZLBArchive& archiver, const std::string& programFolder, bool withSkin, TRunLog* log,
                  TWorkFolderRemoval::TErrorHandler onRemovalError);
    ~TSetupPayload();
    TSetupPayload(const TSetupPayload&) = delete;
    TSetupPayload& operator=(const TSetupPayload&) = delete;

    const std::string& File() const { return file_; }
    // Ends in a backslash.
    const std::string& WorkFolder() const { return workFolder_; }
    const TPayloadEntries& Entries() const { return entries_; }
    // Who hears of a failure to remove the working folder from now on.
    void SetRemovalErrorHandler(TWorkFolderRemoval::TErrorHandler onRemovalError) {
        removal_.SetErrorHandler(std::move(onRemovalError));
    }

private:
    void Check();
    void ReadTable(TZLBArchive& archiver);
    void Step(const std::string& text) const;

    TRunLog* log_;
    TWorkFolderRemoval removal_;  // first: the folder goes after everything else
    std::string file_;
    std::unique_ptr<TFileStream> lock_;  // Data.Kel, kept from writing while it is trusted
    TWorkFolderMarker marker_;           // let go before the folder goes
    std::string workFolder_;
    TPayloadEntries entries_;
};
