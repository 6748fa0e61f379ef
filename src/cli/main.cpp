#include "Driver.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
  platform::PrepareProcess();
  return cli::RunProgram(platform::ProgramArguments(argc, argv));
}
