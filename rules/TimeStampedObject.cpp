// rules/TimeStampedObject.cpp
#include "rules/TimeStampedObject.h"

#include "rules/KalRuleUtils.h"

void TimeStampedObject::Copy(const TimeStampedObject* other) {
  if (other != nullptr) m_TimeStamp = other->m_TimeStamp;
}

int TimeStampedObject::CmpTimeStamps(long stamp) const {
  if (m_TimeStamp < stamp) return -1;
  return m_TimeStamp > stamp ? 1 : 0;
}

int TimeStampedObject::CmpTimeStamps(const TimeStampedObject* other) const {
  if (other == nullptr) return -2;
  return CmpTimeStamps(other->m_TimeStamp);
}

std::string TimeStampedObject::TimeStampToString() const {
  return "T:" + std::to_string(m_TimeStamp);
}

void TimeStampedObject::LoadTimeStampFromString(const std::string& text) {
  size_t start = text.find("T:") != std::string::npos ? 2 : 0;
  m_TimeStamp = start < text.size() ? KalRuleUtils::AtoL(text.substr(start)) : 0;
}
