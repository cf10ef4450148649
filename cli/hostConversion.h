#pragma once
// What the commands share to run a conversion the way a catalogue host does:
// the request tree, the drawing taken from a text file, and conversions into
// scratch files for the commands that only look at the result.
#include <string>

#include "commandLine.h"
#include "lorvane/metatree/metaObject.h"
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

// The first element of a text-form file, free-standing and owned by the
// caller (the rest of the chain is dropped); null when the text holds
// nothing. False with error ("Line:N - message") when it cannot be read.
// Reading shows on the progress bar.
bool readDrawingText(const std::string& bytes, metaTreeC*& drawing, std::string& error);

// The drawing of an input file: its first element, a DRAWING or a FIGURE.
// False with a message that names the file when the bytes are no drawing:
// an empty file, a written META2D or MI file, text that cannot be read, or a
// first element of another key.
bool readDrawingInput(const std::string& name, const std::string& bytes, metaTreeC*& drawing, std::string& error);

// Hands the drawing (which the request takes over) to the plug-in. With
// detailedProgress the request asks for progress while the plug-in writes.
// False with the plug-in's RESTEXT in failure when it reports one.
bool convertDrawing(pluginHostC& host, const std::string& format, const std::string& output, metaTreeC* drawing,
                    bool detailedProgress, std::string& failure);

// Converts the drawing text into a scratch file of the format and returns the
// file's bytes. False with a message in error when the text is no drawing
// (unreadable set) or the plug-in reports a failure.
bool convertToBytes(pluginHostC& host, const std::string& name, const std::string& drawingText,
                    const std::string& format, std::string& fileBytes, std::string& error, bool& unreadable);

}  // namespace lorvane::cli
