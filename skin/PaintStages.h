#pragma once
// The ordered list of steps that paint a skinned surface's back buffer.
// What each kind of step does belongs to the form or frame that runs it.
#include <cstdint>
#include <deque>

struct TPaintStageEntry {
    bool DesignMode = false;
    bool RunMode = true;
    uint32_t StageKind = 0;
    uint32_t StageParam = 0;
};

class TPaintStages {
public:
    // Appends a stage that runs at run time only, of kind 0, and returns it for filling in.
    TPaintStageEntry& Add() { return entries_.emplace_back(); }
    size_t Count() const { return entries_.size(); }
    TPaintStageEntry& operator[](size_t index) { return entries_[index]; }
    const TPaintStageEntry& operator[](size_t index) const { return entries_[index]; }
    void Clear() { entries_.clear(); }

private:
    std::deque<TPaintStageEntry> entries_;  // references stay valid as it grows
};
