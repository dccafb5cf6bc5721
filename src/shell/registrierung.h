#pragma once
// The shell's own window made known to the program: the options window under its code 14.
// Called by the program's composition, like the registration functions of the window layers.
namespace trevo::shell {

class DataModuleSeam;
class OptionsSeam;
class WindowRegistry;
struct ProgramPaths;

void registrieren(WindowRegistry& registry, OptionsSeam& options, ProgramPaths& paths, DataModuleSeam* data);

} // namespace trevo::shell
