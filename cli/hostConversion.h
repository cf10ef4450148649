#pragma once
// What the commands share to run a conversion the way a catalogue host does:
// the request tree, the drawing taken from a text file, and conversions into
// scratch files for the commands that only look at the result.
#include <string>

#include "metatree/metaObject.h"
#include "pluginHost.h"

namespace lorvane::cli {

std::string extensionOf(const std::string& path);
std::string withExtension(const std::string& path, const std::string& extension);

// The request a catalogue host builds: format, version, output path and the
// drawing as the first child of INPUTDATA. The request takes the drawing.
metaObjectC buildRequest(const std::string& format, const std::string& output, metaTreeC* drawing);

// The first element of a text-form file, free-standing and owned by the
// caller (the rest of the chain is dropped); null when the text holds
// nothing. False with error ("Line:N - message") when it cannot be read.
bool readDrawingText(const std::string& bytes, metaTreeC*& drawing, std::string& error);

// Hands the drawing (which the request takes over) to the plug-in. False
// with the plug-in's RESTEXT in failure when it reports one.
bool convertDrawing(pluginHostC& host, const std::string& format, const std::string& output, metaTreeC* drawing,
                    bool showProgress, const std::string& label, std::string& failure);

// A file name in the system's temporary folder that no other run uses; the
// file is removed when the object goes.
class scratchFileC {
public:
  explicit scratchFileC(const std::string& extension);
  scratchFileC(const scratchFileC&) = delete;
  scratchFileC& operator=(const scratchFileC&) = delete;
  ~scratchFileC();
  const std::string& path() const { return path_; }

private:
  std::string path_;
};

// Converts the drawing text into a scratch file of the format and returns the
// file's bytes. False with a message in error when the text cannot be read
// (unreadable set) or the plug-in reports a failure.
bool convertToBytes(pluginHostC& host, const std::string& drawingText, const std::string& format,
                    std::string& fileBytes, std::string& error, bool& unreadable);

}  // namespace lorvane::cli
