// example_host PLUGIN OUTPUT: asks the plug-in for its formats, then converts
// a small drawing built in memory to META2D at OUTPUT.
#include <cstdio>
#include <string>

#include "lorvane/interface/lorvanePlugin.h"
#include "lorvane/metatree/metaObject.h"

#if defined(_WIN32)
#  include <windows.h>
static void* openModule(const char* path) { return reinterpret_cast<void*>(LoadLibraryA(path)); }
static void* symbol(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
#else
#  include <dlfcn.h>
static void* openModule(const char* path) { return dlopen(path, RTLD_NOW); }
static void* symbol(void* module, const char* name) { return dlsym(module, name); }
#endif

using namespace lorvane;

static void showProgress(double percent, const char*) { std::printf("progress %.0f%%\n", percent); }

// By reference: a copy of an owning view (the request) is a copy of its tree.
static void setText(metaObjectC& record, const char* key, const char* text) {
  metaObjectC(record.getOrAddChild(key)).setString(text);
}

static void addPoint(metaObjectC shape, double x, double y) {
  metaObjectC point(shape.addChild("POINT"));
  metaValueC value;
  value.setNumber(x);
  metaTreeC::appendChildren(metaTreeC::createValueNode(value), point.node());
  value.setNumber(y);
  metaTreeC::appendChildren(metaTreeC::createValueNode(value), point.node());
}

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: example_host PLUGIN OUTPUT\n");
    return 2;
  }
  void* module = openModule(argv[1]);
  if (!module) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 2;
  }
  auto getCaps = reinterpret_cast<lorvaneGetCapsFunction>(symbol(module, kGetCapsSymbol));
  auto convert = reinterpret_cast<lorvaneConvertMetaTreeFunction>(symbol(module, kConvertMetaTreeSymbol));
  if (!getCaps || !convert) return 2;

  {
    // The host owns the capability tree and destroys it itself.
    metaObjectC caps(getCaps(), true);
    metaObjectC outputs(metaObjectC(metaObjectC(caps.findChild("IOPAIRS")).findChild("IOPAIR")).findChild("OUTFMTS"));
    for (metaTreeC* format = outputs.getFirstChild(); format; format = format->next())
      std::printf("format %s\n", metaObjectC(metaObjectC(format).findChild("NAME")).getString().c_str());
  }

  // REQUEST{ NAME{"META"} VERSION{"1"} OUTPUTLOCATION{...} INPUTDATA{ FIGURE{...} } }
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  setText(request, "NAME", "META");
  setText(request, "VERSION", "1");
  setText(request, "OUTPUTLOCATION", argv[2]);
  metaObjectC figure(metaObjectC(request.getOrAddChild("INPUTDATA")).addChild("FIGURE"));
  setText(figure, "NAME", "Plate");
  metaObjectC line(metaObjectC(figure.getOrAddChild("FIGURITEMS")).addChild("LINE"));
  addPoint(line, 0, 0);
  addPoint(line, 10, 5);

  convert(request.node(), &showProgress);
  if (metaTreeC* result = request.findChild("RESTEXT")) {
    std::fprintf(stderr, "conversion failed: %s\n", metaObjectC(result).getString().c_str());
    return 1;
  }
  std::printf("written %s\n", argv[2]);
  return 0;
}
