#pragma once
// The fixture of the skinshow tests: each test gets its own skinshow.exe,
// run with the sample skin, its event log and the plain backdrop window
// behind the form.
#include <memory>
#include <string>

#include "tests/e2e/EventLogFile.h"
#include "tests/e2e/SkinnedWindowTest.h"

class SkinShowTest : public SkinnedWindowTest {
protected:
    void SetUp() override;
    void PrintRecords() const override;

    const EventLogFile& Log() const { return *log_; }
    // The line shows up in the log (at least `times` times) within a few seconds.
    testing::AssertionResult Logged(const std::string& line, int times = 1) const;
    // The line is in the log exactly `times` times now.
    testing::AssertionResult LoggedExactly(const std::string& line, int times) const;

private:
    std::unique_ptr<EventLogFile> log_;
};
