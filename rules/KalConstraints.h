// rules/KalConstraints.h
#pragma once

#include "rules/RefCountedObject.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

enum CONSTRAINT_TYPE {
  CTYPE_NONE = -1,
  CTYPE_AGR = 0,    // the right side is a feature path
  CTYPE_VALUE = 1,  // the right side is a value or values
  NUM_CTYPE = 2,
};

enum EQUATION_TYPE {
  ETYPE_NONE = -1,
  ETYPE_EQUATION = 0,
  ETYPE_CONSTRAINT_EQUATION = 1,
  ETYPE_ASSIGN_REMOVE_EQUATION = 2,
  ETYPE_OVERWRITE = 3,
  NUM_ETYPE = 4,
};

enum LOGICAL_OPERATOR_TYPE {
  LO_TYPE_NONE = -1,
  LO_TYPE_OR = 0,
  LO_TYPE_NOT = 1,
  LO_TYPE_DEFINED = 2,
  LO_TYPE_UNDEFINED = 3,
  NUM_LO_TYPE = 4,
};

enum SENTENCE_TYPE {
  SENTENCE_TYPE_NONE = -1,
  SENTENCE_TYPE_SL = 0,
  SENTENCE_TYPE_TL = 1,
  NUM_SENTENCE_TYPE = 2,
};

// One equation of a rule in the form side, operator, side, such as
// (y1 agr num) = (y2 agr num) or (x0 tense) = (*OR* past-pp pres).
//
// An equation that does not fit that form exactly (a *OR* block, a score, an
// operator outside the table, a right side of *DEFINED*, ...) keeps the text
// it was read from and is written back as that text, so reading and writing a
// rule never changes what the engine sees. Its fields hold what could be read.
// Any setter makes the fields authoritative again and drops that text;
// RenumberTLPositions keeps it and renumbers its target registers too.
class KalConstraint : public RefCountedObject {
 public:
  KalConstraint() { Reset(); }

  // Text tables, indexed by the enumerations.
  static const std::vector<std::string> m_vszETypes;
  static const std::vector<std::string> m_vszLOTypes;
  static const std::vector<std::string> m_vszSTypes;

  void Reset();

  CONSTRAINT_TYPE GetConstraintType() const { return m_CType; }
  EQUATION_TYPE GetEquationType() const { return m_EType; }
  SENTENCE_TYPE GetSentenceTypeLHS() const { return m_STypeLHS; }
  SENTENCE_TYPE GetSentenceTypeRHS() const { return m_STypeRHS; }
  const std::string& GetFeatureLHS() const { return m_szFeatureLHS; }
  const std::string& GetFeatureRHS() const { return m_szFeatureRHS; }
  int NumValues() const { return static_cast<int>(m_vszValues.size()); }
  // "" when i is out of range.
  std::string GetValue(int i) const;
  LOGICAL_OPERATOR_TYPE GetLogicalOperator() const { return m_LOType; }
  int GetPosLHS() const { return m_iPosLHS; }
  int GetPosRHS() const { return m_iPosRHS; }

  void SetConstraintType(CONSTRAINT_TYPE t);
  void SetEquationType(EQUATION_TYPE t);
  void SetSentenceTypeLHS(SENTENCE_TYPE t);
  void SetSentenceTypeRHS(SENTENCE_TYPE t);
  void SetFeatureLHS(const std::string& f);
  void SetFeatureRHS(const std::string& f);
  void AddValue(const std::string& v);
  void SetLogicalOperator(LOGICAL_OPERATOR_TYPE t);
  void SetPosLHS(int pos);
  void SetPosRHS(int pos);

  // (y<posLHS> featureLHS) eq (y<posRHS> featureRHS), type CTYPE_AGR.
  void SetAgrConstraint(EQUATION_TYPE eq, const std::string& featureLHS,
                        const std::string& featureRHS, int posLHS, int posRHS);
  // (y<posLHS> featureLHS) eq value, type CTYPE_VALUE; the value is appended.
  void SetValueConstraint(EQUATION_TYPE eq, const std::string& featureLHS, int posLHS,
                          const std::string& value);

  // Replaces every target-side position p (a side of sentence type
  // SENTENCE_TYPE_TL, and every Y register of a kept text) by map(p).
  void RenumberTLPositions(const std::function<int(int)>& map);

  // All fields equal except the values (a kept text counts as a field).
  bool operator==(const KalConstraint& other) const;
  bool operator!=(const KalConstraint& other) const { return !(*this == other); }
  bool HaveSameFeature(const KalConstraint* other) const;
  // Equal constraint type, logical operator and value lists.
  bool HaveSameValues(const KalConstraint* other) const;

  void Copy(const KalConstraint* other);
  // A new constraint with count 1, owned by the caller.
  KalConstraint* Clone() const;

  // Reads the content of one equation group, without its outer parentheses.
  // False when it lacks a left side, an operator or a right side; the fields
  // read so far are kept.
  bool LoadFromString(const std::string& text);
  void output(std::ostream& os) const;

  // True when the constraint is written from a kept text, not from its fields.
  bool IsVerbatim() const { return m_fVerbatim; }
  const std::string& GetVerbatimText() const { return m_szVerbatim; }

 private:
  void ParseConstraintSide(const std::string& item, bool left);
  // Reads the fields from the one-line text of an equation; false when a
  // part is missing.
  bool ReadFields(const std::string& text);
  // True when `written`, the fields read from `text` written out, stands for
  // the same equation and reads back into fields written the same way.
  static bool FieldsReadBack(const std::string& text, const std::string& written);
  std::string PathText(SENTENCE_TYPE type, int pos) const;
  void WriteFields(std::ostream& os) const;
  void Edited() {
    m_fVerbatim = false;
    m_szVerbatim.clear();
  }

  CONSTRAINT_TYPE m_CType;
  EQUATION_TYPE m_EType;
  SENTENCE_TYPE m_STypeLHS;
  SENTENCE_TYPE m_STypeRHS;
  std::string m_szFeatureLHS;
  std::string m_szFeatureRHS;
  std::vector<std::string> m_vszValues;
  LOGICAL_OPERATOR_TYPE m_LOType;
  int m_iPosLHS;
  int m_iPosRHS;
  bool m_fVerbatim;
  std::string m_szVerbatim;
};
