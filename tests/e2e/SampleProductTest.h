#pragma once
// Wizard tests around the sample product: the product, its shortcuts, its
// entry and the run's log are removed before and after each test.
#include <string>
#include <utility>

#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WineSystem.h"

class SampleProductTest : public SetupWizardTest {
protected:
    explicit SampleProductTest(std::string runLog) : runLog_(std::move(runLog)) {}

    SamplePlaces sample;

    void SetUp() override {
        sample = SamplePlacesInThePrefix();
        RemoveSampleAndTraces(sample, runLog_);
    }
    void TearDown() override {
        EndWinePrograms();
        RemoveSampleAndTraces(sample, runLog_);
        SetupWizardTest::TearDown();
    }

private:
    std::string runLog_;
};
