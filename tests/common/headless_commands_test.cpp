// The command-line conventions every program shares: help, version, misuse
// and --quiet, as the dispatcher of the headless commands applies them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/headless_commands.h"
#include "common/messages.h"
#include "common/program_version.h"

namespace zov {
namespace {

CommandArgs last_args;

int record_args(const CommandArgs& args) {
    last_args = args;
    return kExitSuccess;
}
int reject_args(const CommandArgs&) { return kExitMisuse; }
int fail_run(const CommandArgs&) { return kExitFailure; }

constexpr HeadlessCommand kCommands[] = {
    {"--run", record_args}, {"--reject", reject_args}, {"--fail", fail_run}};
constexpr ProgramUsage kUsage{"prog", "usage: prog --run FILE\n"};

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> words) {
    words.insert(words.begin(), "prog");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int code =
        run_headless_command(kCommands, static_cast<int>(argv.size()), argv.data(), kUsage);
    std::string out = ::testing::internal::GetCapturedStdout();
    return {code, out, ::testing::internal::GetCapturedStderr()};
}

TEST(HeadlessCommandLine, HelpAndVersionGoToStdoutAndSucceed) {
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"--help"}, {"-h"}, {"--run", "a.dxf", "--help"}}) {
        const Outcome help = run(words);
        EXPECT_EQ(help.code, 0);
        EXPECT_EQ(help.out, kUsage.text);
        EXPECT_EQ(help.err, "");
    }
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("prog ") + kToolkitVersion + "\n");
}

TEST(HeadlessCommandLine, MisuseGivesOneReasonAndTheUsageOnStderrWithCode2) {
    const Outcome none = run({});
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, std::string("prog: no command given\n") + kUsage.text);

    const Outcome unknown = run({"--fast", "a.dxf"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, std::string("prog: unknown command --fast\n") + kUsage.text);

    // A command that rejects its arguments has printed its reason; the usage follows.
    const Outcome rejected = run({"--reject", "x"});
    EXPECT_EQ(rejected.code, 2);
    EXPECT_EQ(rejected.err, kUsage.text);

    // A command that ran and failed keeps its code 1 and gets no usage.
    const Outcome failed = run({"--fail"});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.err, "");
}

TEST(HeadlessCommandLine, QuietIsTakenByTheDispatcherAndSilencesAllButErrors) {
    const Outcome loud = run({"--run", "a.dxf", "-o", "b.png"});
    EXPECT_EQ(loud.code, 0);
    EXPECT_EQ(last_args, (CommandArgs{"a.dxf", "-o", "b.png"}));
    EXPECT_FALSE(quiet_output());

    run({"--quiet", "--run", "a.dxf", "--quiet"});
    EXPECT_EQ(last_args, CommandArgs{"a.dxf"});
    ASSERT_TRUE(quiet_output());
    ConsoleMessages console;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    print_written_file("b.png");
    console.show(MessageIcon::Information, "DXF Write");
    console.show(MessageIcon::Exclamation, "careful");
    console.show(MessageIcon::Stop, "broken");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "warning: careful\nerror: broken\n");

    set_quiet_output(false);
    ::testing::internal::CaptureStdout();
    print_written_file("b.png");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "b.png\n");
}

}  // namespace
}  // namespace zov
