#include "gridkit/tool_main.hpp"

#include <exception>
#include <iostream>
#include <sstream>

#include "gridkit/error.hpp"
#include "gridkit/notes.hpp"

namespace gridkit {

namespace {

// Runs the tool; returns the exit status and puts any report in `error`.
int guarded_run(ToolFunction tool, Console& con, const std::filesystem::path& folder,
                std::string& error) {
  try {
    tool(con, folder);
    con.out().flush();
    return 0;
  } catch (const KitError& e) {
    error = e.what();
  } catch (const std::exception& e) {
    error = std::string("error: ") + e.what();
  }
  con.out().flush();
  return 2;
}

}  // namespace

int tool_main(ToolFunction tool) {
  Console con(std::cin, std::cout);
  std::string error;
  const int status = guarded_run(tool, con, ".", error);
  if (status != 0) std::cerr << error << '\n';
  return status;
}

ToolRun run_tool(ToolFunction tool, const std::string& input, const std::filesystem::path& folder) {
  std::istringstream in(input);
  std::ostringstream out;
  Console con(in, out);
  ToolRun run;
  const NoteCapture notes;
  run.status = guarded_run(tool, con, folder, run.error);
  run.output = out.str();
  run.notes = notes.text();
  return run;
}

}  // namespace gridkit
