// tests/rules/KalRuleTextTest.cpp
// Reading rules from rule text and writing them back.
#include "rules/KalRule.h"

#include "tests/rules/RuleTestUtil.h"
#include "tests/support/RunProgram.h"

#include <gtest/gtest.h>

#include <string>

using ruletest::ExpectSameRule;
using ruletest::Read;
using ruletest::RulePtr;
using ruletest::Write;

namespace {

// Every rule of the test grammar and lexicon reads into the model, is written
// back, and that text reads into an equal rule that is written identically.
TEST(KalRuleTextTest, TestDataRoundTrips) {
  struct File {
    const char* name;
    RULE_TYPE type;
    size_t rules;
  };
  for (const File& f : {File{"grammar.trf", RULE_TYPE_GRAMMAR, 11},
                        File{"lexicon.trf", RULE_TYPE_LEXICAL, 71}}) {
    std::string content = testsupport::ReadFile(std::string(REFINE_TEST_DATA) + "/" + f.name);
    std::vector<std::string> texts = ruletest::SplitRuleFile(content);
    ASSERT_EQ(f.rules, texts.size()) << f.name;
    for (const std::string& text : texts) {
      RulePtr rule = Read(text);
      ASSERT_NE(rule, nullptr) << text;
      EXPECT_EQ(f.type, rule->GetRuleType()) << text;
      EXPECT_NE(-1, rule->GetRuleID().m_RuleNum) << text;
      EXPECT_GE(rule->GetNumAlignments(), 1) << text;
      for (int i = 0; i < rule->GetNumConstraints(); ++i)
        EXPECT_NE(nullptr, rule->GetConstraint(i));
      std::string written = Write(rule.get());
      RulePtr again = Read(written);
      ExpectSameRule(rule.get(), again.get(), written);
      EXPECT_EQ(written, Write(again.get()));
    }
  }
}

struct Expected {
  const char* name;
  const char* text;     // rule text read
  const char* written;  // its written form, by hand
};

const Expected kWritten[] = {
    {"grammar rule",
     "{NP,3}\n"
     "NP::NP : [DET ADJ N] -> [DET N ADJ]\n"
     "(\n(X1::Y1)\n(X2::Y3)\n(X3::Y2)\n"
     "((x1 agr num) = (x3 agr num))\n"
     "((y1 agr gen) = (y2 agr gen))\n"
     ")\n",
     "{NP,3}\n"
     "NP::NP : [DET ADJ N] -> [DET N ADJ]\n"
     "(\n"
     "  (X1::Y1)  (X2::Y3)  (X3::Y2)\n"
     "  ((x1 agr num) = (x3 agr num))\n"
     "  ((y1 agr gen) = (y2 agr gen))\n"
     ")\n"},
    {"lexical entry: one quoted translation",
     "{N,17}\nN::N |: [\"hot\" \"dog\"] -> [\"perro\" \"caliente\"]\n(\n(x1::y1)\n"
     "((x0 form) = \"hot dog\")\n((y0 agr gen) = masc)\n)\n",
     "{N,17}\n"
     "N::N |: [\"hot\" \"dog\"] -> [\"perro caliente\"]\n"
     "(\n"
     "  (X1::Y1)\n"
     "  ((x0 form) = \"hot dog\")\n"
     "  ((y0 agr gen) = masc)\n"
     ")\n"},
    {"metadata, no number",
     "VP::VP : [V NP] -> [V NP]\n(\n;(T:1234)\n;(P:{VP,2})\n;(I:{NP,3})\n;(TR:4 7)\n;(L:true)\n"
     "(X1::Y1)\n(X2::Y2)\n((y1 agr) = (y0 agr))\n)\n",
     "VP::VP : [V NP] -> [V NP]\n"
     "(\n"
     ";(T:1234)\n"
     ";(P:{VP,2})\n"
     ";(I:{NP,3})\n"
     ";(TR:4 7)\n"
     ";(L:true)\n"
     "  (X1::Y1)  (X2::Y2)\n"
     "  ((y1 agr) = (y0 agr))\n"
     ")\n"},
    {"disabled rule",
     ";D:{NP,2}\nNP::NP : [DET N] -> [DET N] \n( \n;(T:99) \n(X1::Y1) (X2::Y2) \n"
     "((y1 agr) = (y2 agr)) \n)",
     ";D:\n"
     ";{NP,2}\n"
     ";NP::NP : [DET N] -> [DET N]\n"
     ";(\n"
     ";;(T:99)\n"
     ";  (X1::Y1)  (X2::Y2)\n"
     ";  ((y1 agr) = (y2 agr))\n"
     ";)\n"},
    {"equation blocks and other equations kept as written",
     "{VP,2}\nVP::VP : [V NP] -> [V NP]\n(\n(X1::Y1)\n(X2::Y2)\n(*score* 0.25)\n"
     "(*EOR* ( ((x2 case) = acc) )\n  ( ((x2 case) = *UNDEFINED*) ))\n"
     "((x0 agr) = (*MULTIPLE* a b))\n((x0 a) > (x1 a))\n((x0 a) < (x1 a))\n"
     "((y1 a) =n (y2 a))\n((x2 tense) = *DEFINED*)\n)\n",
     "{VP,2}\n"
     "VP::VP : [V NP] -> [V NP]\n"
     "(\n"
     "  (X1::Y1)  (X2::Y2)\n"
     "  (*score* 0.25)\n"
     "  (*EOR* ( ((x2 case) = acc) ) ( ((x2 case) = *UNDEFINED*) ))\n"
     "  ((x0 agr) = (*MULTIPLE* a b))\n"
     "  ((x0 a) > (x1 a))\n"
     "  ((x0 a) < (x1 a))\n"
     "  ((y1 a) =n (y2 a))\n"
     "  ((x2 tense) = *DEFINED*)\n"
     ")\n"},
};

TEST(KalRuleTextTest, WritesRuleText) {
  for (const Expected& e : kWritten) {
    RulePtr rule = Read(e.text);
    ASSERT_NE(rule, nullptr) << e.name;
    EXPECT_EQ(e.written, Write(rule.get())) << e.name;
    RulePtr again = Read(e.written);
    ExpectSameRule(rule.get(), again.get(), e.name);
  }
}

// Texts whose written form the engine would read differently from the text
// read, before these were fixed. Each must be written as expected and read
// back into an equal rule.
const Expected kFaults[] = {
    {"quoted word spelled like a category is a word",
     "{N,9}\nN::N |: [\"PP\"] -> [\"PP\"]\n(\n(x1::y1)\n)\n",
     "{N,9}\nN::N |: [\"PP\"] -> [\"PP\"]\n(\n  (X1::Y1)\n)\n"},
    {"quoted words spelled like categories in a compound",
     "{N,4}\nN::N |: [\"Benedict\" \"V\"] -> [\"Benedicto\" \"V\"]\n(\n(x1::y1)\n)\n",
     "{N,4}\nN::N |: [\"Benedict\" \"V\"] -> [\"Benedicto V\"]\n(\n  (X1::Y1)\n)\n"},
    {"category outside the table",
     "{Q,2}\nQ::Q : [NP CONJ NP] -> [NP CONJ NP]\n(\n(X1::Y1)\n)\n",
     "{Q,2}\nQ::Q : [NP CONJ NP] -> [NP CONJ NP]\n(\n  (X1::Y1)\n)\n"},
    {"target category differs from source category",
     "{VP,2}\nVP::V : [V] -> [V]\n(\n(X1::Y1)\n)\n",
     "{VP,2}\nVP::V : [V] -> [V]\n(\n  (X1::Y1)\n)\n"},
    {"disabled rule of a category outside the table",
     ";D:\n;{Q,2}\n;Q::Q : [NP] -> [NP]\n;(\n;  (X1::Y1)\n;)\n",
     ";D:\n;{Q,2}\n;Q::Q : [NP] -> [NP]\n;(\n;  (X1::Y1)\n;)\n"},
    {"element outside the table stays unquoted",
     "{NP,7}\nNP::NP : [QUANT N \"de\"] -> [N 'de' QUANT]\n(\n(X1::Y3)\n(X2::Y1)\n)\n",
     "{NP,7}\nNP::NP : [QUANT N \"de\"] -> [N 'de' QUANT]\n(\n  (X1::Y3)  (X2::Y1)\n)\n"},
    {"alignment after an equation",
     "{NP,2}\nNP::NP : [DET N] -> [DET N]\n(\n((y1 agr) = (y2 agr))\n(X1::Y1)\n( X2 :: Y2 )\n)\n",
     "{NP,2}\nNP::NP : [DET N] -> [DET N]\n(\n  (X1::Y1)  (X2::Y2)\n  ((y1 agr) = (y2 agr))\n)\n"},
    {"alignment without target position",
     "{NP,2}\nNP::NP : [DET N] -> [DET N]\n(\n(X1::Y)\n(X2::Y2)\n)\n",
     "{NP,2}\nNP::NP : [DET N] -> [DET N]\n(\n  (X2::Y2)\n  (X1::Y)\n)\n"},
    {"skip allowances",
     "{NP,8}\nNP::NP : [DET ## ADJ # N #3] -> [DET N ADJ]\n(\n(X1::Y1)\n)\n",
     "{NP,8}\nNP::NP : [DET ## ADJ # N #3] -> [DET N ADJ]\n(\n  (X1::Y1)\n)\n"},
    {"inserted word with a blank stays one word",
     "{PP,3}\nPP::PP : [PREP NP] -> [\"de la\" NP]\n(\n(X2::Y2)\n)\n",
     "{PP,3}\nPP::PP : [PREP NP] -> [\"de la\" NP]\n(\n  (X2::Y2)\n)\n"},
    {"brackets, parentheses and quotes inside words",
     "{N,5}\nN::N |: [\"(\" \"]\" \"a\\\"b\"] -> [\"[x;\"]\n(\n(x1::y1)\n((x0 form) = \"(\")\n)\n",
     "{N,5}\nN::N |: [\"(\" \"]\" \"a\\\"b\"] -> [\"[x;\"]\n(\n  (X1::Y1)\n  ((x0 form) = \"(\")\n)\n"},
    {"equation that looks like metadata",
     "{N,6}\nN::N |: [\"x\"] -> [\"y\"]\n(\n(x1::y1)\n((x0 form) = \"T:800\")\n((y0 form) = \"L:\")\n)\n",
     "{N,6}\nN::N |: [\"x\"] -> [\"y\"]\n(\n  (X1::Y1)\n  ((x0 form) = \"T:800\")\n  ((y0 form) = \"L:\")\n)\n"},
    {"disabled rule without alignments",
     ";D:\n;{NP,2}\n;NP::NP : [DET N] -> [DET N]\n;(\n;  ((y1 agr) = (y2 agr))\n;)\n",
     ";D:\n;{NP,2}\n;NP::NP : [DET N] -> [DET N]\n;(\n;  ((y1 agr) = (y2 agr))\n;)\n"},
    {"parent entry of a rule without number does not give it an ID",
     "NP::NP : [N] -> [N]\n(\n;(P:{NP,4})\n(X1::Y1)\n)\n",
     "NP::NP : [N] -> [N]\n(\n;(P:{NP,4})\n  (X1::Y1)\n)\n"},
    {"category that opens with a quote is left out",
     "{'(',2}\nNP::NP : [N] -> [N]\n(\n(X1::Y1)\n)\n",
     "{,2}\nNP::NP : [N] -> [N]\n(\n  (X1::Y1)\n)\n"},
    {"comment inside an alignment",
     "{NP,2}\nNP::NP : [DET N] -> [DET N]\n(\n(X1:: ; first\nY1)\n)\n",
     "{NP,2}\nNP::NP : [DET N] -> [DET N]\n(\n  (X1::Y1)\n)\n"},
    {"single-quoted literal right after another one",
     "{NP,4}\nNP::NP : [N] -> [N 'a''b' '']\n(\n(X1::Y1)\n)\n",
     "{NP,4}\nNP::NP : [N] -> [N 'a' 'b' '']\n(\n  (X1::Y1)\n)\n"},
    {"equation text kept in its one-line form",
     "{NP,2}\nNP::NP : [N] -> [N]\n(\n((x0 a)= ]'\"'\nw)\n(,';' \"\"\ti)\n)\n",
     "{NP,2}\nNP::NP : [N] -> [N]\n(\n  ((x0 a) = ]'\"' w)\n  (,';' \"\" i)\n)\n"},
};

TEST(KalRuleTextTest, WritesWhatItReads) {
  for (const Expected& e : kFaults) {
    RulePtr rule = Read(e.text);
    ASSERT_NE(rule, nullptr) << e.name;
    EXPECT_EQ(e.written, Write(rule.get())) << e.name;
    RulePtr again = Read(e.written);
    ExpectSameRule(rule.get(), again.get(), e.name);
    EXPECT_EQ(e.written, Write(again.get())) << e.name;
  }
}

// Every line of a disabled rule is a comment for the engine, also where a
// quoted word goes on after a carriage return, which ends a comment too.
TEST(KalRuleTextTest, DisabledRuleCommentsLinesAfterCarriageReturns) {
  RulePtr rule = Read("{NP,2}\nNP::NP : [DET \"a\rb\" N] -> [DET N 'c\r\nd']\n(\n(X1::Y1)\n)\n");
  ASSERT_NE(rule, nullptr);
  rule->SetEnabled(false);
  const std::string written =
      ";D:\n"
      ";{NP,2}\n"
      ";NP::NP : [DET \"a\r;b\" N] -> [DET N 'c\r\n;d']\n"
      ";(\n"
      ";  (X1::Y1)\n"
      ";)\n";
  EXPECT_EQ(written, Write(rule.get()));
  RulePtr again = Read(written);
  ExpectSameRule(rule.get(), again.get(), written);
  EXPECT_FALSE(again->IsEnabled());
  EXPECT_EQ("a\rb/q0/", ruletest::ConstituentText(again->GetSLConstituent(1)));
}

TEST(KalRuleTextTest, ClassifiesRuleTexts) {
  struct Case {
    const char* text;
    RULE_TYPE type;
  };
  const Case cases[] = {
      {"{VP,2}\nVP::VP : [V NP] -> [V NP]\n()", RULE_TYPE_GRAMMAR},
      {"{VP,2}\nVP::VP : [\"go\" \"home\"] -> [\"ir\" \"a\" \"casa\"]\n()", RULE_TYPE_LEXICAL},
      {"N::N |: [\"PP\"] -> [\"PP\"]", RULE_TYPE_LEXICAL},
      {"NP::NP : [\"de\" N] -> [N]", RULE_TYPE_GRAMMAR},
      {"NP::NP : [\"de\"] -> [QUANT]", RULE_TYPE_GRAMMAR},
      {";D:\n;{NP,2}\n;NP::NP : [DET N] -> [DET N]\n;(\n;)\n", RULE_TYPE_GRAMMAR},
      {"", RULE_TYPE_INVALID},
      {"N::N |: [\"dog\"]", RULE_TYPE_INVALID},
      {"; [\"dog\"] [\"perro\"]\n", RULE_TYPE_INVALID},
      {"N::N |: [\"dog\" -> [\"perro\"", RULE_TYPE_INVALID},
      // The engine reads no bracket inside a side.
      {"NP::NP : [DET [N]] -> [N]", RULE_TYPE_INVALID},
      {"NP::NP : [N] -> [N [''']]", RULE_TYPE_INVALID},
      // A quote after a literal that closes nothing, or whose closing quote
      // would open another literal.
      {"NP::NP : [N] -> [N 'a''b]", RULE_TYPE_INVALID},
      {"NP::NP : [N] -> [N 'a'' b ']", RULE_TYPE_INVALID},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.type, KalRule::GetRuleTypeFromString(c.text)) << c.text;
    RulePtr rule = Read(c.text);
    EXPECT_EQ(c.type == RULE_TYPE_INVALID, rule == nullptr) << c.text;
  }
}

TEST(KalRuleTextTest, ReadsRuleParts) {
  RulePtr rule = Read(
      "{VP,2}\nVP::VP : [V NP] -> [V NP]\n(\n(X1::Y1)\n((x1 agr num) = (y1 agr num))\n"
      "((y0 tense) = (*OR* sg pl))\n)\n");
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(KalRuleID(POS_TYPE_VP, 2), rule->GetRuleID());
  EXPECT_TRUE(rule->IsEnabled());
  ASSERT_EQ(1, rule->GetNumAlignments());
  EXPECT_EQ(1, rule->GetAlignment(0)->m_iSLWord);
  EXPECT_EQ(1, rule->GetAlignment(0)->m_iTLWord);
  ASSERT_EQ(2, rule->GetNumConstraints());
  EXPECT_EQ(CTYPE_AGR, rule->GetConstraint(0)->GetConstraintType());
  KalConstraint* value = rule->GetConstraint(1);
  EXPECT_EQ(CTYPE_VALUE, value->GetConstraintType());
  EXPECT_EQ(LO_TYPE_OR, value->GetLogicalOperator());
  EXPECT_EQ(2, value->NumValues());
  EXPECT_EQ(nullptr, rule->GetConstraint(2));
  EXPECT_EQ(nullptr, rule->GetConstraint(-1));

  RulePtr lex = Read("N::N |: [\"hot\" \"dog\"] -> [\"perro\" \"caliente\"]\n(\n(x1::y1)\n)\n");
  ASSERT_NE(lex, nullptr);
  EXPECT_EQ(KalRuleID(POS_TYPE_NOUN, -1), lex->GetRuleID());
  auto* entry = static_cast<KalLexiconRule*>(lex.get());
  EXPECT_EQ((std::vector<std::string>{"hot", "dog"}), entry->GetSLLexicon());
  EXPECT_EQ((std::vector<std::string>{"perro", "caliente"}), entry->GetTLLexicon());

  // Rules of categories outside the table keep apart.
  RulePtr q = Read("{Q,2}\nQ::Q : [NP] -> [NP]\n()");
  RulePtr r = Read("{R,2}\nR::R : [NP] -> [NP]\n()");
  EXPECT_NE(q->GetRuleID(), r->GetRuleID());
  EXPECT_TRUE(q->GetRuleID() < r->GetRuleID() || r->GetRuleID() < q->GetRuleID());
  EXPECT_EQ("{Q,2}", q->GetRuleID().ToString());
}

TEST(KalRuleTextTest, ReadsRuleIDs) {
  struct Case {
    const char* text;
    KalRuleID id;
    const char* written;
  };
  const Case cases[] = {
      {"{NP,3}", KalRuleID(POS_TYPE_NP, 3), "{NP,3}"},
      {"(NP,3)", KalRuleID(POS_TYPE_NP, 3), "{NP,3}"},
      {"NP,007", KalRuleID(POS_TYPE_NP, 7), "{NP,7}"},
      {"{np,3}", KalRuleID(POS_TYPE_NONE, 3), "{np,3}"},
      {"{NP,x}", KalRuleID(POS_TYPE_NP, 0), "{NP,0}"},
      {"{NP,99999999999}", KalRuleID(POS_TYPE_NP, 2147483647), "{NP,2147483647}"},
      {"{NP}", KalRuleID(POS_TYPE_NP, -1), "{NP,-1}"},
      {"", KalRuleID(), "{,-1}"},
  };
  for (const Case& c : cases) {
    KalRuleID id;
    id.LoadFromString(c.text);
    if (c.id.m_POS == POS_TYPE_NONE && c.text[0] != '\0') {
      EXPECT_EQ("np", id.m_szCategory) << c.text;
    } else {
      EXPECT_EQ(c.id, id) << c.text;
    }
    EXPECT_EQ(c.written, id.ToString()) << c.text;
  }
}

}  // namespace
