#include "platform/vb/decimal.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vb::decimal {

namespace {

// An unsigned integer of any size: 32-bit limbs, least significant first,
// no zero limb at the top.
class Big {
public:
    explicit Big(uint64_t value = 0) {
        for (; value; value >>= 32) limbs_.push_back(static_cast<uint32_t>(value));
    }

    bool IsZero() const { return limbs_.empty(); }

    int Bits() const {
        if (limbs_.empty()) return 0;
        int bits = static_cast<int>(limbs_.size() - 1) * 32;
        for (uint32_t top = limbs_.back(); top; top >>= 1) ++bits;
        return bits;
    }

    // this = this * factor + add
    void MulAdd(uint32_t factor, uint32_t add) {
        uint64_t carry = add;
        for (uint32_t& limb : limbs_) {
            uint64_t t = uint64_t(limb) * factor + carry;
            limb = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        if (carry) limbs_.push_back(static_cast<uint32_t>(carry));
    }

    // this *= base^count, for a base whose power `chunk` fits 32 bits.
    void MulPower(uint32_t base, int chunk, int64_t count) {
        uint32_t big = 1;
        for (int i = 0; i < chunk; ++i) big *= base;
        for (; count >= chunk; count -= chunk) MulAdd(big, 0);
        uint32_t rest = 1;
        for (; count > 0; --count) rest *= base;
        MulAdd(rest, 0);
    }

    void ShiftLeft(int bits) {
        if (limbs_.empty() || bits == 0) return;
        limbs_.insert(limbs_.begin(), static_cast<size_t>(bits / 32), 0u);
        if (int part = bits % 32) {
            uint32_t carry = 0;
            for (uint32_t& limb : limbs_) {
                uint32_t next = limb >> (32 - part);
                limb = limb << part | carry;
                carry = next;
            }
            if (carry) limbs_.push_back(carry);
        }
    }

    int Compare(const Big& other) const {
        if (limbs_.size() != other.limbs_.size()) return limbs_.size() < other.limbs_.size() ? -1 : 1;
        for (size_t i = limbs_.size(); i-- > 0;)
            if (limbs_[i] != other.limbs_[i]) return limbs_[i] < other.limbs_[i] ? -1 : 1;
        return 0;
    }

    // this -= other, for other <= this.
    void Subtract(const Big& other) {
        int64_t borrow = 0;
        for (size_t i = 0; i < limbs_.size(); ++i) {
            int64_t t = int64_t(limbs_[i]) - borrow - (i < other.limbs_.size() ? int64_t(other.limbs_[i]) : 0);
            borrow = t < 0;
            limbs_[i] = static_cast<uint32_t>(t + (borrow << 32));
        }
        Trim();
    }

    // this /= divisor; the remainder.
    uint32_t DivideSmall(uint32_t divisor) {
        uint64_t rest = 0;
        for (size_t i = limbs_.size(); i-- > 0;) {
            uint64_t t = rest << 32 | limbs_[i];
            limbs_[i] = static_cast<uint32_t>(t / divisor);
            rest = t % divisor;
        }
        Trim();
        return static_cast<uint32_t>(rest);
    }

    // Its decimal digits, the most significant first ("" for 0).
    std::string Decimal() const {
        Big n = *this;
        std::string reversed;
        while (!n.IsZero()) {
            uint32_t chunk = n.DivideSmall(1'000'000'000);
            for (int i = 0; i < 9; ++i, chunk /= 10) reversed += static_cast<char>('0' + chunk % 10);
        }
        while (!reversed.empty() && reversed.back() == '0') reversed.pop_back();
        return std::string(reversed.rbegin(), reversed.rend());
    }

private:
    void Trim() {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }

    std::vector<uint32_t> limbs_;
};

// Powers of ten and five whose chunk fits 32 bits.
constexpr int kTenChunk = 9, kFiveChunk = 13;

// No double and no halfway point between two has more significant digits
// than this (at most 767): beyond it, only whether any digit is not 0 counts.
constexpr size_t kDigitsThatCount = 800;

// A double's value is at most 1.8e308 and at least 4.9e-324.
constexpr int64_t kAboveAnyDouble = 310, kBelowAnyDouble = -330;

}  // namespace

bool ToDouble(std::string_view digits, int64_t exponent, double& out) {
    out = 0.0;
    size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return true;
    digits.remove_prefix(first);
    // The power of ten just above the value, where it starts.
    const int64_t magnitude = static_cast<int64_t>(digits.size()) + exponent;
    if (magnitude > kAboveAnyDouble) return false;
    if (magnitude < kBelowAnyDouble) return true;

    bool beyond = false;
    if (digits.size() > kDigitsThatCount) {
        beyond = digits.find_first_not_of('0', kDigitsThatCount) != std::string_view::npos;
        exponent += static_cast<int64_t>(digits.size() - kDigitsThatCount);
        digits = digits.substr(0, kDigitsThatCount);
    }
    Big numerator, denominator(1);
    for (char c : digits) numerator.MulAdd(10, static_cast<uint32_t>(c - '0'));
    if (beyond) {
        // A digit 1 in place of the rest: above every number the cut digits
        // make, below every one a digit more could.
        numerator.MulAdd(10, 1);
        --exponent;
    }
    if (exponent >= 0) numerator.MulPower(10, kTenChunk, exponent);
    else denominator.MulPower(10, kTenChunk, -exponent);

    // value = numerator / denominator = (quotient + fraction) * 2^scale,
    // with 2^54 <= quotient < 2^56: bits enough to round to 53 of them.
    int scale = numerator.Bits() - denominator.Bits() - 55;
    if (scale < 0) numerator.ShiftLeft(-scale);
    else denominator.ShiftLeft(scale);
    uint64_t quotient = 0;
    for (int bit = 56; bit >= 0; --bit) {
        Big part = denominator;
        part.ShiftLeft(bit);
        if (numerator.Compare(part) >= 0) {
            numerator.Subtract(part);
            quotient |= uint64_t(1) << bit;
        }
    }
    const bool fraction = !numerator.IsZero();

    int bits = 0;
    for (uint64_t q = quotient; q; q >>= 1) ++bits;
    // The bits below the double's 53, or below its smallest step 2^-1074.
    int dropped = std::max(bits - 53, -1074 - scale);
    if (dropped > bits) return true;  // below half the smallest double
    uint64_t kept = quotient >> dropped;
    uint64_t rest = quotient & ((uint64_t(1) << dropped) - 1);
    uint64_t half = uint64_t(1) << (dropped - 1);
    if (rest > half || (rest == half && (fraction || (kept & 1)))) ++kept;
    out = std::ldexp(static_cast<double>(kept), scale + dropped);
    return !std::isinf(out);
}

std::string LeadingDigits(double value, int count, int& exponent) {
    int binary = 0;
    double fraction = std::frexp(std::fabs(value), &binary);
    // value = mantissa * 2^binary exactly, the mantissa a 53-bit integer.
    auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    binary -= 53;
    Big n(mantissa);
    int tens = 0;
    if (binary >= 0) {
        n.ShiftLeft(binary);
    } else {
        // m / 2^b = m * 5^b / 10^b
        n.MulPower(5, kFiveChunk, -binary);
        tens = binary;
    }
    std::string digits = n.Decimal();
    exponent = static_cast<int>(digits.size()) - 1 + tens;
    digits.resize(static_cast<size_t>(count), '0');
    return digits;
}

}  // namespace vb::decimal
