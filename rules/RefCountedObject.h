// rules/RefCountedObject.h
#pragma once

// Base of everything the refinement side shares by reference: correction
// instances, rules and constraints. A new object has count 1 and belongs to
// its creator. Whoever stores a pointer takes a reference with AddRef() and
// gives it back with Release(); the object deletes itself when the last
// reference goes. Objects must therefore be created with new.
class RefCountedObject {
 public:
  RefCountedObject() = default;
  RefCountedObject(const RefCountedObject&) = delete;
  RefCountedObject& operator=(const RefCountedObject&) = delete;

  // Both return the new count.
  int AddRef();
  int Release();

 protected:
  virtual ~RefCountedObject();

 private:
  int m_cRef = 1;
};
