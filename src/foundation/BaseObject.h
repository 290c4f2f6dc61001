#pragma once
// Root object and the owned, cursor-driven object list every domain object
// and collection derives from.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBaseObject {
public:
  TBaseObject();
  virtual ~TBaseObject() = default;

  // Copies Tag and the flag state; descendants extend it for their fields.
  virtual void Assign(const TBaseObject* source);
  virtual bool IsFlagged() const;
  virtual void SetTag(int32_t value);
  int32_t Tag() const { return FTag; }
  virtual void Reset();

  bool Flag = false;

protected:
  TBaseObject(const TBaseObject&) = default;
  TBaseObject& operator=(const TBaseObject&) = default;

private:
  int32_t FTag = 0;
};

// One entry of a list: a display key and the object it refers to.
struct TListEntry {
  std::string Key;
  TBaseObject* Object = nullptr;
};

// Ordered list of (key, object) entries with a cursor. An owning list frees
// the objects it deletes; Reset and Assign only drop entries, so an object
// still referenced elsewhere stays valid: dropped objects are kept aside and
// freed with the list, which keeps the observable behaviour without leaks.
class TBaseList : public TBaseObject {
public:
  explicit TBaseList(bool ownsObjects = true);
  ~TBaseList() override;
  TBaseList(const TBaseList&) = delete;
  TBaseList& operator=(const TBaseList&) = delete;

  int32_t ItemIndex = -1;

  // Appends the entry (the list takes ownership when it owns its objects)
  // and moves the cursor to it.
  void Add(const std::string& key, TBaseObject* object);
  template <class T>
  T* AddNew(const std::string& key = std::string()) {
    T* object = new T();
    Add(key, object);
    return object;
  }
  int Count() const { return static_cast<int>(FItems.size()); }
  bool OwnsObjects() const { return FOwnsObjects; }

  // Positional access (the list's ItemsList). Positions outside the list give
  // none or an empty key. None of these move the cursor.
  TBaseObject* Object(int index) const;
  const std::string& Key(int index) const;
  template <class T>
  T* ItemAs(int index) const {
    return dynamic_cast<T*>(Object(index));
  }
  void Insert(int index, const std::string& key, TBaseObject* object);
  // Removes the entry and hands the object to the caller (never freed here).
  TBaseObject* Extract(int index);
  // Removes the entry and frees the object when the list owns it.
  void Delete(int index);
  const std::vector<TListEntry>& ItemsList() const { return FItems; }

  int32_t GetItemIndex() const { return ItemIndex; }
  void SetItemIndex(int32_t index);
  void First();
  TBaseObject* Current() const;
  int32_t DeleteCurrent();
  void Clear();
  void ClearAndFree() { Clear(); }

  void Assign(const TBaseObject* source) override;
  bool IsFlagged() const override;
  void Reset() override;
  virtual void Sort();

private:
  void DropEntries();
  void FreeObject(TBaseObject* object);

  std::vector<TListEntry> FItems;
  std::vector<std::unique_ptr<TBaseObject>> FDropped;
  bool FOwnsObjects;
};
