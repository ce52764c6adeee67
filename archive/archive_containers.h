#pragma once
// The string and vector templates of the archive code, over the standard library. A failed
// allocation raises CNewException.
#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace nrv {

struct CNewException {};

template <typename T, typename Operation>
auto OrNewException(Operation operation) {
  try {
    return operation();
  } catch (const std::bad_alloc&) {
    throw CNewException();
  }
}

template <typename T>
class CStringBase {
 public:
  CStringBase() = default;
  CStringBase(const T* text) : chars_(OrNewException<T>([&] { return std::basic_string<T>(text); })) {}
  CStringBase(std::basic_string_view<T> text)
      : chars_(OrNewException<T>([&] { return std::basic_string<T>(text); })) {}

  int Length() const { return static_cast<int>(chars_.size()); }
  bool IsEmpty() const { return chars_.empty(); }
  const T* Ptr() const { return chars_.c_str(); }
  operator const T*() const { return chars_.c_str(); }
  T operator[](int index) const { return chars_[static_cast<size_t>(index)]; }

  CStringBase& operator+=(const CStringBase& other) { return Append(other.chars_); }
  CStringBase& operator+=(const T* text) { return Append(text); }
  CStringBase& operator+=(T c) { return Append(std::basic_string_view<T>(&c, 1)); }

  // -1 when absent.
  int Find(T c, int start = 0) const { return Index(chars_.find(c, static_cast<size_t>(start))); }
  int Find(const T* text, int start = 0) const { return Index(chars_.find(text, static_cast<size_t>(start))); }
  int ReverseFind(T c) const { return Index(chars_.rfind(c)); }

  CStringBase Left(int count) const { return Mid(0, count); }
  CStringBase Mid(int start, int count = -1) const {
    const size_t from = std::min(chars_.size(), static_cast<size_t>(start));
    return CStringBase(std::basic_string_view<T>(chars_).substr(from, count < 0 ? std::basic_string<T>::npos
                                                                                 : static_cast<size_t>(count)));
  }
  void Delete(int start, int count = 1) {
    if (static_cast<size_t>(start) < chars_.size()) chars_.erase(static_cast<size_t>(start), static_cast<size_t>(count));
  }
  void Empty() { chars_.clear(); }

  int Compare(const CStringBase& other) const { return Sign(chars_.compare(other.chars_)); }
  // Folds A to Z only, like the sort orders of the panels.
  int CompareNoCase(const CStringBase& other) const {
    const size_t n = std::min(chars_.size(), other.chars_.size());
    for (size_t i = 0; i < n; ++i) {
      const T a = Fold(chars_[i]), b = Fold(other.chars_[i]);
      if (a != b) return a < b ? -1 : 1;
    }
    return chars_.size() == other.chars_.size() ? 0 : (chars_.size() < other.chars_.size() ? -1 : 1);
  }
  bool operator==(const CStringBase& other) const { return chars_ == other.chars_; }

  const std::basic_string<T>& Std() const { return chars_; }

 private:
  CStringBase& Append(std::basic_string_view<T> text) {
    OrNewException<T>([&] { chars_.append(text); return 0; });
    return *this;
  }
  static int Index(size_t position) { return position == std::basic_string<T>::npos ? -1 : static_cast<int>(position); }
  static int Sign(int value) { return (value > 0) - (value < 0); }
  static T Fold(T c) { return c >= T('A') && c <= T('Z') ? static_cast<T>(c + ('a' - 'A')) : c; }

  std::basic_string<T> chars_;
};

using UString = CStringBase<char16_t>;
using AString = CStringBase<char>;

// Plain values: indices, codes, sizes.
template <typename T>
class CRecordVector {
 public:
  int Size() const { return static_cast<int>(values_.size()); }
  bool IsEmpty() const { return values_.empty(); }
  int Add(const T& value) {
    OrNewException<T>([&] { values_.push_back(value); return 0; });
    return Size() - 1;
  }
  T& operator[](int index) { return values_[static_cast<size_t>(index)]; }
  const T& operator[](int index) const { return values_[static_cast<size_t>(index)]; }
  const T* Data() const { return values_.data(); }
  void Delete(int index) { values_.erase(values_.begin() + index); }
  void Clear() { values_.clear(); }

 private:
  std::vector<T> values_;
};

// Owned objects: deleting an element deletes the object.
template <typename T>
class CObjectVector {
 public:
  int Size() const { return static_cast<int>(objects_.size()); }
  bool IsEmpty() const { return objects_.empty(); }
  int Add(T value) {
    OrNewException<T>([&] { objects_.push_back(std::make_unique<T>(std::move(value))); return 0; });
    return Size() - 1;
  }
  T& operator[](int index) { return *objects_[static_cast<size_t>(index)]; }
  const T& operator[](int index) const { return *objects_[static_cast<size_t>(index)]; }
  void Delete(int index) { objects_.erase(objects_.begin() + index); }
  void Clear() { objects_.clear(); }

 private:
  std::vector<std::unique_ptr<T>> objects_;
};

}  // namespace nrv
