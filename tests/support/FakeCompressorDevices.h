#pragma once

#include "CompressorDevices.h"

#include <map>
#include <utility>

namespace testenv {

// Compressor categories made up by a test, with the binds they were asked for.
class FakeCompressorDevices final : public settings::CompressorDevices {
public:
    using Category = settings::CompressorCategory;

    void SetMembers(Category category, std::vector<settings::CompressorMember> members) {
        members_[category] = std::move(members);
    }
    void FailWalk(Category category, settings::WalkResult result) { failures_[category] = result; }
    void FailBind(bool fail) { failBind_ = fail; }

    settings::WalkResult Walk(Category category,
                              std::vector<settings::CompressorMember>& members) override {
        if (auto failure = failures_.find(category); failure != failures_.end()) {
            return failure->second;
        }
        members = members_[category];
        return settings::WalkResult::Ok;
    }
    bool Bind(Category category, int index) override {
        binds.emplace_back(category, index);
        if (failBind_) {
            return false;
        }
        bound_[category] = index;
        return true;
    }
    void Release(Category category) override {
        ++releases[category];
        bound_.erase(category);
    }
    bool Bound(Category category) const override { return bound_.count(category) != 0; }
    media::Element Filter(Category) const override { return media::Element(); }
    int BoundIndex(Category category) const {
        auto it = bound_.find(category);
        return it == bound_.end() ? -1 : it->second;
    }

    std::vector<std::pair<Category, int>> binds;
    std::map<Category, int> releases;

private:
    std::map<Category, std::vector<settings::CompressorMember>> members_;
    std::map<Category, settings::WalkResult> failures_;
    std::map<Category, int> bound_;
    bool failBind_ = false;
};

inline settings::CompressorMember Member(const char* name, const char* element = "") {
    return {true, true, name, element};
}

} // namespace testenv
