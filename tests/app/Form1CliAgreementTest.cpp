#include "FormFixture.h"

#include <QCheckBox>
#include <QLineEdit>

#include <cstdio>

namespace tarvello::test {
namespace {

// What the terminal program prints for a dry run: its plan lines.
std::string CliPlan(const std::string& arguments) {
    std::string output;
    FILE* pipe = popen((std::string(TARVELLO_CLI) + " --dry-run -0 " + arguments).c_str(), "r");
    char buffer[4096];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    EXPECT_EQ(pipe ? pclose(pipe) : -1, 0) << arguments;
    return output;
}

// The same entries, count text, option and generator numbers give the
// window's Summary and the terminal program's plan byte for byte.
TEST_F(FormFixture, terminalProgramDrawsTheWindowsPlan) {
    TempDir dir;
    for (const char* name : {"a.jpg", "b.jpg", "c%1%", "d will be copied to e", "f", "g.png"})
        dir.write(std::string("in/") + name);
    dir.write("more/h.jpg");
    showForm();
    pickAndPress("Check8", dir.path() + "in");
    pickAndPress("Check8", dir.path() + "more");
    pickAndPress("Check3", dir.path() + "out");
    pickAndPress("Check3", dir.path() + "out2");

    const struct {
        const char* count;
        bool repeats;
        double seed;
    } cases[] = {{"4", false, 7}, {"2.9", false, 8}, {"20", false, 9}, {"12", true, 10}, {"1e1", true, 0}};
    for (const auto& c : cases) {
        control<QCheckBox>("Check11")->setChecked(c.repeats);
        control<QLineEdit>("Text1")->setText(QLatin1String(c.count));
        random.seed(c.seed);
        press("Check12");
        std::string shown;
        for (std::size_t i = 0; i < form->summary().size(); ++i)
            shown += SummaryLine(form->summary().entry(i)) + '\0';

        const std::string arguments = "--seed " + std::to_string(static_cast<int>(c.seed)) + " -n " + c.count +
                                      (c.repeats ? " -r" : "") + " -s " + dir.path() + "in -s " + dir.path() +
                                      "more -d " + dir.path() + "out -d " + dir.path() + "out2";
        EXPECT_EQ(CliPlan(arguments), shown) << arguments;
    }
}

}  // namespace
}  // namespace tarvello::test
