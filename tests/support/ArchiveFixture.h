#pragma once
// Shared set-up of the archive tests: a scratch folder, an archive path in it,
// and a recorder of progress reports.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "archive/ZLIBArchive.h"
#include "platform/Exception.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"

using Reports = std::vector<std::pair<std::string, int>>;

class ArchiveFixture : public ::testing::Test {
protected:
    ScratchFolder scratch;
    std::string archiveName = scratch / "Data.Kel";
    std::string destination = scratch / "out\\";  // as the setup passes it: with a trailing backslash
    TZLBArchive archive;
    Reports reports;

    void RecordProgress() {
        archive.OnProgress = [this](const std::string& message, int percentage) {
            reports.emplace_back(message, percentage);
        };
    }
    std::string Extracted(const std::string& relative) const { return ReadFile(destination + relative); }
};
