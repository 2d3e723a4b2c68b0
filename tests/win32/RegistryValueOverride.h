#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Registry.h"

// Changes one registry string value for a test and puts it back afterwards.
class ValueOverride {
public:
    ValueOverride(platform::TRootKey root, const std::string& key, std::string name)
        : registry_(root), name_(std::move(name)) {
        EXPECT_TRUE(registry_.OpenKey(key, true));
        if (registry_.ValueExists(name_)) saved_ = registry_.ReadString(name_);
    }
    ~ValueOverride() {
        if (saved_)
            registry_.WriteString(name_, *saved_);
        else
            registry_.DeleteValue(name_);
    }
    void Set(const std::string& value) { registry_.WriteString(name_, value); }
    void Remove() { registry_.DeleteValue(name_); }
    const std::optional<std::string>& Saved() const { return saved_; }

private:
    platform::TRegistry registry_;
    std::string name_;
    std::optional<std::string> saved_;
};
