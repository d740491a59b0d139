// A copy of bytes in a heap block of exactly their size, so that a read past
// the end is a read outside the block, which the address sanitizer reports
// (a std::string may have room to spare).
#pragma once

#include <algorithm>
#include <memory>
#include <string_view>

class ExactBytes {
public:
    explicit ExactBytes(std::string_view bytes) : size_(bytes.size()), data_(new char[size_ ? size_ : 1]) {
        std::copy(bytes.begin(), bytes.end(), data_.get());
    }
    std::string_view view() const { return {data_.get(), size_}; }

private:
    size_t size_;
    std::unique_ptr<char[]> data_;
};
