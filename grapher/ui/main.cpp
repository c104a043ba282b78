// The grapher program: the window, or a run that writes its results to files.
#include "grapher/ui/command_line.h"

int main(int argc, char** argv) {
  return quillon::grapher::GrapherMain(argc, argv);
}
