#include "converter/program/MapFailure.h"

#include <exception>
#include <new>

#include "converter/program/Output.h"

bool FailsAlone(const std::string& path, Diagnostics& diagnostics,
                const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        ReportLoadError(path, "there is not enough memory to convert it", diagnostics);
    } catch (const std::exception& error) {
        ReportLoadError(path, std::string("its conversion stopped: ") + error.what(), diagnostics);
    } catch (...) {
        ReportLoadError(path, "its conversion stopped", diagnostics);
    }
    return false;
}
