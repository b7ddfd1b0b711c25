// tests/rules/KalConstraintTest.cpp
#include "rules/KalConstraints.h"

#include "tests/rules/RuleTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using ruletest::ConstraintPtr;
using ruletest::Write;

namespace {

std::string Values(const KalConstraint& c) {
  std::string out;
  for (int i = 0; i < c.NumValues(); ++i) out += (i ? "|" : "") + c.GetValue(i);
  return out;
}

// Fields of a constraint in one line: type, equation, left side, right side,
// operator and values.
std::string Fields(const KalConstraint& c) {
  return std::to_string(c.GetConstraintType()) + " " + std::to_string(c.GetEquationType()) +
         " L" + std::to_string(c.GetSentenceTypeLHS()) + "," + std::to_string(c.GetPosLHS()) +
         ",'" + c.GetFeatureLHS() + "' R" + std::to_string(c.GetSentenceTypeRHS()) + "," +
         std::to_string(c.GetPosRHS()) + ",'" + c.GetFeatureRHS() + "' op" +
         std::to_string(c.GetLogicalOperator()) + " [" + Values(c) + "]";
}

struct Case {
  const char* text;     // content of one equation group
  const char* fields;   // Fields() after reading
  const char* written;  // output()
  bool verbatim;        // written from the text as read
};

const Case kCases[] = {
    {"(y1 agr num) = pl", "1 0 L1,1,'agr num' R-1,-1,'' op-1 [pl]", "(y1 agr num) = pl", false},
    {"(y0 agr num) = (y2 agr num)", "0 0 L1,0,'agr num' R1,2,'agr num' op-1 []",
     "(y0 agr num) = (y2 agr num)", false},
    {"(y1 gen) =c (*NOT* fem)", "1 1 L1,1,'gen' R-1,-1,'' op1 [fem]", "(y1 gen) =c (*NOT* fem)",
     false},
    {"(x0 tense) = (*OR* past-pp pres)", "1 0 L0,0,'tense' R-1,-1,'' op0 [past-pp|pres]",
     "(x0 tense) = (*OR* past-pp pres)", false},
    {"x0 = x1", "0 0 L0,0,'' R0,1,'' op-1 []", "x0 = x1", false},
    {"(x1 agr) == (x2 agr)", "0 2 L0,1,'agr' R0,2,'agr' op-1 []", "(x1 agr) == (x2 agr)", false},
    {"(y2 agr) <= (y0 agr)", "0 3 L1,2,'agr' R1,0,'agr' op-1 []", "(y2 agr) <= (y0 agr)", false},
    // Paths are written in lower case; blanks do not matter.
    {"  (X1  agr num )   =   (Y1 agr num)  ", "0 0 L0,1,'agr num' R1,1,'agr num' op-1 []",
     "(x1 agr num) = (y1 agr num)", false},
    // Two words in one pair of quotes are one value, quotes included.
    {"(x0 form) = \"A Coruña\"", "1 0 L0,0,'form' R-1,-1,'' op-1 [\"A Coruña\"]",
     "(x0 form) = \"A Coruña\"", false},
    {"(x0 form) = (*OR* \"ice cream\" helado)",
     "1 0 L0,0,'form' R-1,-1,'' op0 [\"ice cream\"|helado]",
     "(x0 form) = (*OR* \"ice cream\" helado)", false},
    {"(x0 agr num) = sg ; a comment", "1 0 L0,0,'agr num' R-1,-1,'' op-1 [sg]",
     "(x0 agr num) = sg", false},
    {"(x0 form) = \"a;b\"", "1 0 L0,0,'form' R-1,-1,'' op-1 [\"a;b\"]", "(x0 form) = \"a;b\"",
     false},

    // Former faults: equations the fields cannot express were written garbled.
    {"*score* 0.25", "1 -1 L-1,-1,'' R-1,-1,'' op-1 [*score*]", "*score* 0.25", true},
    {"(x2 tense) = *DEFINED*", "1 0 L0,2,'tense' R-1,-1,'' op2 []", "(x2 tense) = *DEFINED*",
     true},
    {"(x2 case) = *UNDEFINED*", "1 0 L0,2,'case' R-1,-1,'' op-1 [*UNDEFINED*]",
     "(x2 case) = *UNDEFINED*", false},
    {"(x0 a) = (*MULTIPLE* b c)", "1 0 L0,0,'a' R-1,-1,'' op-1 [*MULTIPLE*|b|c]",
     "(x0 a) = (*MULTIPLE* b c)", true},
    {"(x0 a) > (x1 b)", "0 -1 L0,0,'a' R0,1,'b' op-1 []", "(x0 a) > (x1 b)", true},
    {"(x0 a) < (x1 b)", "0 -1 L0,0,'a' R0,1,'b' op-1 []", "(x0 a) < (x1 b)", true},
    {"(y1 a) =n (y2 a)", "0 -1 L1,1,'a' R1,2,'a' op-1 []", "(y1 a) =n (y2 a)", true},
    {"(y1 a) =C sg", "1 -1 L1,1,'a' R-1,-1,'' op-1 [sg]", "(y1 a) =C sg", true},
    {"(x0 agr) = (*or* sg pl)", "1 0 L0,0,'agr' R-1,-1,'' op-1 [*or*|sg|pl]",
     "(x0 agr) = (*or* sg pl)", true},
    {"*OR* ( ((x2 deg) = pos) )\n     ( ((x2 deg) = sup) ; superlative\n )",
     "1 -1 L-1,-1,'' R-1,-1,'' op-1 [(x2|deg)|=|pos]", "*OR* ( ((x2 deg) = pos) ) ( ((x2 deg) = sup) )", true},
    {"(x1k agr) = sg", "1 0 L0,1,'agr' R-1,-1,'' op-1 [sg]", "(x1k agr) = sg", true},
    {"(x0 form) = \"a  b\"", "1 0 L0,0,'form' R-1,-1,'' op-1 [\"a  b\"]", "(x0 form) = \"a  b\"",
     false},
    // Text and fields are chosen on the one-line form of the text, so that
    // kept text reads back the same way.
    {"(x0 a)= ]'\"'\nw", "1 0 L0,0,'a' R-1,-1,'' op-1 []'\"'|w]", "(x0 a) = ]'\"' w", false},
    // Fields whose written form would read back otherwise (a ';' that a
    // quote no longer hides) keep the text.
    {",';' \"\"\ti", "1 -1 L-1,-1,'' R-1,-1,'' op-1 [,';'|i]", ",';' \"\" i", true},
    {"['; ' x", "1 -1 L-1,-1,'' R-1,-1,'' op-1 [[';|x]", "['; ' x", true},
    // A value word that ends inside a quoted literal: written alone, the
    // quote would run past the closing parenthesis, or the rest be lost.
    {"(x0 a) = b(['; ' c)", "1 0 L0,0,'a' R-1,-1,'' op-1 [b([';]", "(x0 a) = b(['; ' c)", true},
    {"(x0 a) = b[';' c", "1 0 L0,0,'a' R-1,-1,'' op-1 [b[';']", "(x0 a) = b[';' c", true},
    // Incomplete equations keep their text.
    {"x1", "-1 -1 L0,1,'' R-1,-1,'' op-1 []", "x1", true},
    {"(x1 a) =", "-1 0 L0,1,'a' R-1,-1,'' op-1 []", "(x1 a) =", true},
    {"(x1 a) = (y1", "-1 0 L0,1,'a' R-1,-1,'' op-1 []", "(x1 a) = (y1", true},
    {"", "-1 -1 L-1,-1,'' R-1,-1,'' op-1 []", "", true},
};

TEST(KalConstraintTest, ReadsAndWritesEquations) {
  for (const Case& c : kCases) {
    KalConstraint k;
    k.LoadFromString(c.text);
    EXPECT_EQ(c.fields, Fields(k)) << c.text;
    EXPECT_EQ(c.written, Write(&k)) << c.text;
    EXPECT_EQ(c.verbatim, k.IsVerbatim()) << c.text;

    // Written text reads back into the same constraint.
    KalConstraint again;
    again.LoadFromString(Write(&k));
    EXPECT_EQ(Write(&k), Write(&again)) << c.text;
    if (!k.IsVerbatim()) {
      EXPECT_TRUE(k == again) << c.text;
      EXPECT_TRUE(k.HaveSameValues(&again)) << c.text;
    }
  }
}

TEST(KalConstraintTest, RefusesIncompleteEquations) {
  const char* refused[] = {"", "x1", "(x1 a) =", "(x1 a) = ; nothing", "(x1 a) = (y1"};
  for (const char* text : refused) {
    KalConstraint k;
    EXPECT_EQ(text[0] == '\0', k.LoadFromString(text)) << text;
  }
  KalConstraint k;
  EXPECT_TRUE(k.LoadFromString("(x1 a) = b"));
}

TEST(KalConstraintTest, SettersBuildConstraintsAndDropKeptText) {
  KalConstraint agr;
  agr.SetAgrConstraint(ETYPE_EQUATION, "agr gen", "agr gen", 0, 2);
  EXPECT_EQ("(y0 agr gen) = (y2 agr gen)", Write(&agr));
  EXPECT_EQ(CTYPE_AGR, agr.GetConstraintType());

  KalConstraint value;
  value.SetValueConstraint(ETYPE_CONSTRAINT_EQUATION, "agr num", 1, "pl");
  EXPECT_EQ("(y1 agr num) =c pl", Write(&value));
  EXPECT_EQ(CTYPE_VALUE, value.GetConstraintType());

  KalConstraint kept;
  kept.LoadFromString("(y2 a) = *DEFINED*");
  ASSERT_TRUE(kept.IsVerbatim());
  kept.SetLogicalOperator(LO_TYPE_NONE);
  kept.AddValue("sg");
  EXPECT_FALSE(kept.IsVerbatim());
  EXPECT_EQ("(y2 a) = sg", Write(&kept));
}

TEST(KalConstraintTest, RenumbersTargetPositions) {
  auto shift = [](int p) { return p >= 2 ? p + 1 : p; };
  KalConstraint parsed;
  parsed.LoadFromString("(y2 agr num) = (y1 agr num)");
  parsed.RenumberTLPositions(shift);
  EXPECT_EQ("(y3 agr num) = (y1 agr num)", Write(&parsed));

  KalConstraint source;
  source.LoadFromString("(x2 agr) = (y2 agr)");
  source.RenumberTLPositions(shift);
  EXPECT_EQ("(x2 agr) = (y3 agr)", Write(&source));

  // A kept text has its target registers renumbered, never words or source
  // registers.
  KalConstraint kept;
  kept.LoadFromString("*OR* ( ((Y2 deg) = \"y2\") ) ( ((y12 deg) = (x2 deg)) (y0 = y1) )");
  ASSERT_TRUE(kept.IsVerbatim());
  kept.RenumberTLPositions(shift);
  EXPECT_EQ("*OR* ( ((Y3 deg) = \"y2\") ) ( ((y13 deg) = (x2 deg)) (y0 = y1) )", Write(&kept));
}

TEST(KalConstraintTest, ComparesFeaturesAndValues) {
  KalConstraint masc, fem, masc2, num;
  masc.LoadFromString("(x0 agr gen) = masc");
  fem.LoadFromString("(x0 agr gen) = fem");
  masc2.LoadFromString("(y1 agr gen) = masc");
  num.LoadFromString("(x0 agr num) = sg");
  EXPECT_TRUE(masc.HaveSameFeature(&fem));
  EXPECT_FALSE(masc.HaveSameFeature(&num));
  EXPECT_FALSE(masc.HaveSameValues(&fem));
  EXPECT_TRUE(masc.HaveSameValues(&masc2));
  EXPECT_TRUE(masc == fem);  // values do not count
  EXPECT_FALSE(masc == masc2);
  EXPECT_FALSE(masc.HaveSameFeature(nullptr));

  ConstraintPtr clone(masc.Clone());
  EXPECT_TRUE(*clone == masc);
  EXPECT_TRUE(clone->HaveSameValues(&masc));
}

}  // namespace
