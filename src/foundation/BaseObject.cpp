#include "foundation/BaseObject.h"

#include <algorithm>
#include <cctype>

TBaseObject::TBaseObject() { SetTag(0); }

void TBaseObject::Assign(const TBaseObject* source) {
  if (source) {
    FTag = source->Tag();
    Flag = source->IsFlagged();
  }
}

bool TBaseObject::IsFlagged() const { return Flag; }

void TBaseObject::SetTag(int32_t value) { FTag = value; }

void TBaseObject::Reset() { Flag = false; }

TBaseList::TBaseList(bool ownsObjects) : FOwnsObjects(ownsObjects) {}

TBaseList::~TBaseList() {
  for (auto& entry : FItems) FreeObject(entry.Object);
}

void TBaseList::FreeObject(TBaseObject* object) {
  if (FOwnsObjects) delete object;
}

void TBaseList::Add(const std::string& key, TBaseObject* object) {
  FItems.push_back({key, object});
  ItemIndex = Count() - 1;
}

TBaseObject* TBaseList::Object(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FItems[static_cast<size_t>(index)].Object;
}

const std::string& TBaseList::Key(int index) const {
  static const std::string empty;
  if (index < 0 || index >= Count()) return empty;
  return FItems[static_cast<size_t>(index)].Key;
}

void TBaseList::Insert(int index, const std::string& key, TBaseObject* object) {
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, TListEntry{key, object});
}

TBaseObject* TBaseList::Extract(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  TBaseObject* object = FItems[static_cast<size_t>(index)].Object;
  FItems.erase(FItems.begin() + index);
  return object;
}

void TBaseList::Delete(int index) { FreeObject(Extract(index)); }

void TBaseList::SetItemIndex(int32_t index) { ItemIndex = (index >= -1 && index < Count()) ? index : -1; }

void TBaseList::First() { ItemIndex = Count() > 0 ? 0 : -1; }

TBaseObject* TBaseList::Current() const { return Object(ItemIndex); }

int32_t TBaseList::DeleteCurrent() {
  if (ItemIndex < 0 || ItemIndex >= Count()) return -1;
  Delete(ItemIndex);
  --ItemIndex;
  return 0;
}

void TBaseList::Clear() {
  // Frees front to back, as deleting the first entry again and again would,
  // without shifting the rest of the list every time.
  std::vector<TListEntry> entries;
  entries.swap(FItems);
  for (auto& entry : entries) FreeObject(entry.Object);
  ItemIndex = -1;
}

void TBaseList::DropEntries() {
  // Dropped objects may still be referenced by whoever took them over; they
  // are only freed together with the list.
  if (FOwnsObjects)
    for (auto& entry : FItems) FDropped.emplace_back(entry.Object);
  FItems.clear();
}

void TBaseList::Assign(const TBaseObject* source) {
  TBaseObject::Assign(source);
  ItemIndex = -1;
  DropEntries();
}

bool TBaseList::IsFlagged() const {
  for (const auto& entry : FItems)
    if (entry.Object && entry.Object->IsFlagged()) return true;
  return false;
}

void TBaseList::Reset() {
  Flag = false;
  ItemIndex = -1;
  DropEntries();
}

namespace {
int CompareTextNoCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
}  // namespace

void TBaseList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const TListEntry& a, const TListEntry& b) { return CompareTextNoCase(a.Key, b.Key) < 0; });
}
