#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "diagram/run.h"
#include "tools/recording/recording_surface.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& p)
{
    std::ifstream f(p);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

class Trace : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("quillet-trace-test-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    fs::path file(const std::string& name, const std::string& text)
    {
        std::ofstream(dir / name) << text;
        return dir / name;
    }

    Result run(const std::string& args, const std::string& input = "")
    {
        const fs::path in = file("stdin.txt", input);
        const std::string cmd = std::string(QUILLET_TRACE) + " " + args + " <" + in.string() + " >" +
                                (dir / "out").string() + " 2>" + (dir / "err").string();
        const int raw = std::system(cmd.c_str());
        return {WEXITSTATUS(raw), slurp(dir / "out"), slurp(dir / "err")};
    }

    void expectRefused(const std::string& args, const std::string& mention, const std::string& input = "")
    {
        const Result r = run(args, input);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find(mention), std::string::npos) << args << " said: " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << " said: " << r.err;
    }
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

}  // namespace

TEST_F(Trace, BadOptionsAreRefusedInOneLine)
{
    expectRefused("--colour 3", "unknown option");
    expectRefused("--seed", "--seed needs a value");
    expectRefused("--seed x12", "not a whole number");
    expectRefused("--canvas 100", "--canvas needs");
    expectRefused("--canvas 0 100", "positive");
    expectRefused("--sites", "--sites needs");
    expectRefused("--sites " + (dir / "missing.txt").string(), "cannot be read");
}

TEST_F(Trace, AnOutputThatCannotBeWrittenIsSaidAndFails)
{
    const std::string cmd = std::string(QUILLET_TRACE) + " --seed 5 >/dev/full 2>" + (dir / "err").string();
    const int raw = std::system(cmd.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    EXPECT_EQ(slurp(dir / "err"), "quillet-trace: the trace could not be written: No space left on device\n");
}

TEST_F(Trace, BadSiteFilesNameTheLine)
{
    expectRefused("--sites -", "line 3: expected two finite numbers", "1 2\n# fine\n1 2 3\n");
    expectRefused("--sites -", "line 1: expected two finite numbers", "1 x\n");
    expectRefused("--sites -", "line 2: expected two finite numbers", "1 2\nnan 4\n");
    expectRefused("--sites -", "line 1: expected two finite numbers", "inf 4\n");
    expectRefused("--sites -", "line 1: expected two finite numbers", "1e39 4\n");
    expectRefused("--sites -", "no sites", "# nothing here\n\n");
    std::string hundred;
    for (int n = 0; n < 100; ++n)
        hundred += std::to_string(n) + " " + std::to_string(n * 2 % 97) + "\n";
    expectRefused("--sites -", "line 100: more than 99 sites", hundred);
}

TEST_F(Trace, SeededRunReadsBackToTheSameRun)
{
    const Result r = run("--seed 5");
    ASSERT_EQ(r.status, 0) << r.err;
    RecordingSurface s(5);
    runDiagram(s);

    const auto got = lines(r.out);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0], "canvas 788 565");
    std::vector<std::string> want;
    std::size_t k = 1;
    for (const auto& op : s.ops()) {
        using Kind = RecordingSurface::Kind;
        if (op.kind == Kind::Line) {
            ASSERT_LT(k, got.size());
            float x1, y1, x2, y2;
            ASSERT_EQ(std::sscanf(got[k].c_str(), "line %f %f %f %f", &x1, &y1, &x2, &y2), 4) << got[k];
            EXPECT_EQ(x1, op.x1);
            EXPECT_EQ(y1, op.y1);
            EXPECT_EQ(x2, op.x2);
            EXPECT_EQ(y2, op.y2);
        } else if (op.kind == Kind::Circle) {
            float x, y, radius;
            ASSERT_EQ(std::sscanf(got[k].c_str(), "circle %f %f %f", &x, &y, &radius), 3) << got[k];
            EXPECT_EQ(x, op.x1);
            EXPECT_EQ(y, op.y1);
            EXPECT_EQ(radius, 3);
        } else if (op.kind == Kind::Pump) {
            EXPECT_EQ(got[k], "pump");
        } else if (op.kind == Kind::Print) {
            float x, y;
            ASSERT_EQ(std::sscanf(got[k].c_str(), "label %f %f ", &x, &y), 2) << got[k];
            EXPECT_EQ(x, op.x1);
            EXPECT_EQ(y, op.y1);
            EXPECT_EQ(got[k].substr(got[k].size() - op.text.size()), op.text) << got[k];
        } else if (op.kind == Kind::Colour) {
            EXPECT_EQ(got[k], "colour " + std::to_string(redOf(op.value)) + " " + std::to_string(greenOf(op.value)) +
                                  " " + std::to_string(blueOf(op.value)));
        } else {
            continue;
        }
        ++k;
    }
    EXPECT_EQ(k, got.size());
}

TEST_F(Trace, SitesFromAFileAreCircledInOrderAndJoined)
{
    // (blank lines, blanks and tabs around and between the numbers, a plus sign)
    const std::string text = "# three sites\n100 100\n\n  300\t 300  \n+500 1e2\n";
    const fs::path f = file("sites.txt", text);
    const Result r = run("--canvas 800 600 --sites " + f.string());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto got = lines(r.out);
    ASSERT_GE(got.size(), 4u);
    EXPECT_EQ(got[0], "canvas 800 600");
    EXPECT_EQ(got[1], "circle 100 100 3");
    EXPECT_EQ(got[2], "circle 300 300 3");
    EXPECT_EQ(got[3], "circle 500 100 3");
    EXPECT_EQ(std::count(got.begin(), got.end(), "pump"), 3);
    EXPECT_EQ(r.out.find("colour"), std::string::npos);
    EXPECT_EQ(r.out.find("label"), std::string::npos);
    // The same file written with CR LF line ends (on Windows, say): the same sites.
    std::string crlf;
    for (const char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(run("--canvas 800 600 --sites " + file("crlf.txt", crlf).string()).out, r.out);
}
