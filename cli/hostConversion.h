#pragma once
// What the commands share to run a conversion the way a catalogue host does:
// the request tree, the drawing taken from a text file, and conversions into
// scratch files for the commands that only look at the result.
#include <string>

#include "lorvane/cli/commandLine.h"
#include "inputFile.h"
#include "lorvane/metatree/metaObject.h"
#include "outputFile.h"
#include "pluginHost.h"

namespace lorvane::cli {

// Loads the plug-in --module names, else the one the environment or the
// tool's own folder gives; false with the reason printed when it cannot.
bool loadPlugin(pluginHostC& host, const argumentsC& arguments);

std::string extensionOf(const std::string& path);
std::string withExtension(const std::string& path, const std::string& extension);

// The request a catalogue host builds: format, version, output path and the
// drawing as the first child of INPUTDATA. The request takes the drawing.
metaObjectC buildRequest(const std::string& format, const std::string& output, metaTreeC* drawing);

// The drawing of an input: its first element, a DRAWING or a FIGURE, read
// from the text a piece at a time, free-standing and owned by the caller (the
// rest of the chain is dropped). Reading shows on the progress bar. False
// with a message that names the input as name when it is no drawing: an
// empty file, a written META2D or MI file, text that cannot be read, or a
// first element of another key.
bool readDrawingInput(const std::string& name, inputStreamC& input, metaTreeC*& drawing, std::string& error);

// Hands the drawing (which the request takes over) to the plug-in. With
// detailedProgress the request asks for progress while the plug-in writes.
// False with the plug-in's RESTEXT in failure when it reports one; the
// system's error number after the call in systemReason, if given.
bool convertDrawing(pluginHostC& host, const std::string& format, const std::string& output, metaTreeC* drawing,
                    bool detailedProgress, std::string& failure, int* systemReason = nullptr);

// Converts the drawing, which the conversion takes, into the scratch file,
// which it creates, in the format. False with a message in error when the
// plug-in reports a failure.
bool convertToScratch(pluginHostC& host, const std::string& name, metaTreeC* drawing, const std::string& format,
                      temporaryFileC& scratch, std::string& error);

// Converts the drawing, which the conversion takes, into a scratch file of
// the format and returns the file's bytes. False with a message in error
// when the plug-in reports a failure.
bool convertToBytes(pluginHostC& host, const std::string& name, metaTreeC* drawing, const std::string& format,
                    std::string& fileBytes, std::string& error);

}  // namespace lorvane::cli
