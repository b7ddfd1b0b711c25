// rules/RefCountedObject.cpp
#include "rules/RefCountedObject.h"

#include <cassert>

RefCountedObject::~RefCountedObject() = default;

int RefCountedObject::AddRef() {
  assert(m_cRef > 0 && "AddRef on a released object");
  return ++m_cRef;
}

int RefCountedObject::Release() {
  assert(m_cRef > 0 && "Release on a released object");
  int count = --m_cRef;
  if (count == 0) delete this;
  return count;
}
