// The launcher's own split of its command line. Any line: argument 0's length and
// the handed-on argument string stay inside the line, the argument is terminated
// within its buffer. Any argument, quoted the way programs quote for the platform's
// split, comes back whole.
// Input: a raw command line (long text), then an argument (long text).

#include "app/invocation_rules.h"
#include "fuzz_input.h"

namespace {

// The usual quoting for CommandLineToArgvW: backslashes are doubled only before a
// quote, a quote is escaped, and the whole is quoted when it holds a blank or a quote.
Text Quoted(const Text& argument) {
  if (!argument.empty() && argument.find_first_of(WIDE(" \t\"")) == Text::npos) return argument;
  Text quoted = WIDE("\"");
  size_t backslashes = 0;
  for (WideChar unit : argument) {
    if (unit == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(unit == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += unit;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + WIDE("\"");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  Text line = input.TakeLongText(COMMAND_LINE_UNITS);
  std::vector<WideChar> argument(line.size() + 1);
  size_t programLength = ~size_t{0};
  std::vector<WideChar> terminated = Terminated(line);
  bool has = FirstArgumentOf(terminated.data(), programLength, argument.data(), argument.size());
  Check(programLength <= line.size(), "argument 0 lies inside the line");
  Check(TextLength(argument.data()) < argument.size(), "the argument is terminated in its buffer");
  Check(has || argument[0] == 0, "no argument leaves the buffer empty");
  const WideChar* rest = ArgumentStringOf(terminated.data(), programLength);
  Check(rest >= terminated.data() && rest <= terminated.data() + line.size(),
        "the handed-on string lies inside the line");

  // A buffer one unit short of a fitting argument refuses instead of cutting.
  if (has && argument[0] != 0) {
    size_t length = TextLength(argument.data());
    std::vector<WideChar> small(length);
    size_t ignored = 0;
    Check(!FirstArgumentOf(terminated.data(), ignored, small.data(), small.size()) && small[0] == 0,
          "a short buffer is refused, not filled with a cut argument");
  }

  Text wanted = input.TakeLongText(2000);
  std::vector<WideChar> quotedLine =
      Terminated(WIDE("\"C:\\Program Files\\p.exe\" ") + Quoted(wanted));
  std::vector<WideChar> back(quotedLine.size() + 1);
  size_t length = 0;
  Check(FirstArgumentOf(quotedLine.data(), length, back.data(), back.size()), "a quoted argument is found");
  Check(length == 22, "a quoted program path is measured without its quotes");
  Check(Text(back.data()) == wanted, "a quoted argument comes back whole");
  return 0;
}
