// rules/TimeStampedObject.h
#pragma once

#include <string>

// A time stamp in seconds since the epoch; 0 means not set.
class TimeStampedObject {
 public:
  virtual ~TimeStampedObject() = default;

  bool IsSet() const { return m_TimeStamp != 0; }
  void Copy(const TimeStampedObject* other);
  void SetTimeStamp(long stamp) { m_TimeStamp = stamp; }
  long GetTimeStamp() const { return m_TimeStamp; }
  // -1, 0 or 1 as this stamp is earlier than, equal to or later than `stamp`.
  int CmpTimeStamps(long stamp) const;
  // As above; -2 for null.
  int CmpTimeStamps(const TimeStampedObject* other) const;

  // "T:" and the stamp in decimal.
  std::string TimeStampToString() const;
  // Reads the number after "T:" when the text holds "T:", else from its start.
  void LoadTimeStampFromString(const std::string& text);

 protected:
  long m_TimeStamp = 0;
};
