#include "core/sys/messages.h"

#include <gtest/gtest.h>

#include "core/sys/termination.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class MessagesTest : public Scratch {};

TEST_F(MessagesTest, InfoBoxDoesNotBeep) {
  InfoBox(*env, "Hotovo", "Archivace");
  EXPECT_EQ(ui.Single(), Info("Hotovo", "Archivace"));
  EXPECT_EQ(ui.beeps, 0);
}

TEST_F(MessagesTest, ErrorBoxBeepsThreeTimesHalfASecondApart) {
  ErrorBox(*env, "Chyba\r\rdruhy radek");
  EXPECT_EQ(ui.Single(), Error("Chyba\r\rdruhy radek", ""));
  EXPECT_EQ(ui.beeps, 3);
  EXPECT_EQ(clock.slept, 1000);
}

TEST_F(MessagesTest, AskYesNoIsTrueOnlyForYes) {
  ui.answers = {Answer::Yes, Answer::No};
  EXPECT_TRUE(AskYesNo(*env, "Pokracovat ?", "Dotaz"));
  EXPECT_FALSE(AskYesNo(*env, "Pokracovat ?", "Dotaz"));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], Question("Pokracovat ?", "Dotaz"));
  EXPECT_EQ(ui.beeps, 0);
}

TEST_F(MessagesTest, AskYesNoCancelHasItsOwnCaption) {
  ui.answers = {Answer::Yes, Answer::No};
  EXPECT_TRUE(AskYesNoCancel(*env, "Ulozit ?"));
  EXPECT_FALSE(AskYesNoCancel(*env, "Ulozit ?"));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], (RecordedMessage{MessageKind::YesNoCancel, "Ulozit ?",
                                             "Ano=True, Ne=False, Storno=Halt"}));
}

TEST_F(MessagesTest, AskYesNoCancelCancelEndsTheApplication) {
  ui.answers = {Answer::Cancel};
  EXPECT_THROW(AskYesNoCancel(*env, "Ulozit ?"), Termination);
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MessagesTest, FatalCodeZeroDoesNothing) {
  EXPECT_NO_THROW(FatalCode(*env, 0, "Kniha"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MessagesTest, FatalCodeShowsTheCodeWithoutBeepsAndEnds) {
  EXPECT_THROW(FatalCode(*env, 123, "Kniha"), Termination);
  EXPECT_EQ(ui.Single(), Error("Chyba:    123   - Program bude ukoncen", "Kniha"));
  EXPECT_EQ(ui.beeps, 0);
}

TEST_F(MessagesTest, FatalCodeNegativeCode) {
  EXPECT_THROW(FatalCode(*env, -2, ""), Termination);
  EXPECT_EQ(ui.Single(), Error("Chyba:     -2   - Program bude ukoncen", ""));
}

}  // namespace
}  // namespace orvo::test
