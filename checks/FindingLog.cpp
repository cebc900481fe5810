#include "checks/FindingLog.h"

#include <utility>

void FindingLog::Add(Finding finding) {
    ++counts_[static_cast<size_t>(finding.severity)];
    findings_.push_back(std::move(finding));
    if (maxFindings_ != kUnbounded && findings_.size() > maxFindings_) {
        --counts_[static_cast<size_t>(findings_.front().severity)];
        findings_.pop_front();
        ++first_;
    }
}

void FindingLog::Clear() {
    findings_.clear();
    counts_ = {};
    first_ = 1;
}

std::vector<Finding> FindingLog::Take() {
    std::vector<Finding> taken(std::make_move_iterator(findings_.begin()), std::make_move_iterator(findings_.end()));
    first_ += findings_.size();
    findings_.clear();
    counts_ = {};
    return taken;
}
