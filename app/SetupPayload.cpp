#include "app/SetupPayload.h"

#include <vector>

#include "app/PayloadDigest.h"
#include "app/RunLog.h"
#include "archive/ZLIBArchive.h"
#include "platform/FileStream.h"

TSetupPayload::TSetupPayload(TZLBArchive& archiver, const std::string& programFolder, bool withSkin, TRunLog* log,
                             TWorkFolderRemoval::TErrorHandler onRemovalError)
    : log_(log), removal_(std::move(onRemovalError)), file_(programFolder + kPayloadFile) {
    Check();
    workFolder_ = MakeWorkFolder(programFolder);
    removal_.Watch(workFolder_);
    marker_.Hold(workFolder_);
    ReadTable(archiver);
    Step("Unpacking what the pages need from " + file_ + " into " + workFolder_);
    UnpackPageFiles(archiver, file_, entries_, workFolder_, withSkin);
}

TSetupPayload::~TSetupPayload() = default;

// A program that carries the digest of its payload takes no other: the
// payload is held open against writing for the whole run and its table
// checked before anything is unpacked; the table's digests then check each
// file as it is unpacked or installed.
void TSetupPayload::Check() {
    const TSha256Digest digest = OwnPayloadDigest();
    if (!HoldsDigest(digest)) return;
    Step("Checking " + file_);
    lock_ = OpenPayloadOf(file_, digest);
}

void TSetupPayload::ReadTable(TZLBArchive& archiver) {
    archiver.OpenArchive(file_);
    entries_ = TPayloadEntries(archiver.Entries());
    archiver.CloseArchive();
}

void TSetupPayload::Step(const std::string& text) const {
    if (log_) log_->Step(text);
}
