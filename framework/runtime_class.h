// Runtime class names: a window object answers the name of its most derived
// class, so a window found by handle can be asked what it is.
#pragma once

struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;
};

#define DECLARE_DYNAMIC(theClass)               \
 public:                                        \
  static const ::CRuntimeClass class##theClass; \
  const ::CRuntimeClass* GetRuntimeClass() const override { return &class##theClass; }

#define IMPLEMENT_DYNAMIC(theClass, baseClass) \
  const ::CRuntimeClass theClass::class##theClass = {#theClass, &baseClass::class##baseClass};
