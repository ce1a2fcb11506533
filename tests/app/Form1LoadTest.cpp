#include "FormFixture.h"

namespace tarvello::test {
namespace {

class Form1Load : public FormFixture {
protected:
    void SetUp() override { showForm(); }
    TempDir dir;
};

TEST_F(Form1Load, readsEveryPickedFileInOrderAndReportsTheOnesItCannot) {
    const std::string missing = dir.path() + "missing.txt";
    const std::string folder = dir.makeFolder("lists");
    dialogs.answerFiles({dir.write("one.txt", "/a\r\n/b\r\n"), missing, folder, dir.write("two.txt", "/c")});
    press("Check10");
    EXPECT_EQ(form->destinationList().entries(), (std::vector<std::string>{"/a", "/b", "/c"}));
    EXPECT_EQ(dialogs.prompts, std::vector<std::string>{"Add File(s) - Hold Ctrl to select multiple files"});
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{
                  "Load a list of destination folders from a text file.",
                  missing + "\n\nwas not added because it has bad characters in the filename.",
                  folder + "\n\nwas not added because it cannot be read: Is a directory.",
              }));
}

TEST_F(Form1Load, theSourceButtonAsksNothingFirstAndACancelStillRedraws) {
    dir.write("in/a.jpg");
    dialogs.answerFiles({dir.write("sources.txt", dir.path() + "in\r\n")});
    press("Check1");
    pickAndPress("Check3", dir.path() + "out");
    ASSERT_EQ(form->summary().size(), 1u);
    press("Check9");
    dialogs.answerFiles({});
    press("Check1");
    EXPECT_EQ(form->sourceList().entries(), std::vector<std::string>{dir.path() + "in"});
    EXPECT_EQ(form->summary().size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace tarvello::test
