#include "lorvane/document/modelRegistration.h"

#include "lorvane/document/m2dDrawing.h"
#include "lorvane/document/m2dFigure.h"
#include "lorvane/document/m2dShapes.h"
#include "lorvane/geometry/shapeArc.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/geometry/shapeEllipse.h"
#include "lorvane/geometry/shapeIntCurve.h"
#include "lorvane/geometry/shapeLine.h"
#include "lorvane/geometry/shapePoint.h"

namespace lorvane {

namespace {

// The forwarding casts the registry's pointer back to the view class it
// belongs to; classes with several view bases have several metaObjectC parts,
// so each prototype is registered through the part of that view class.
metaObjectC* shapeInterface(mBaseShape2dC* prototype) { return prototype; }

}  // namespace

template <class T>
void modelRegistrationC::add(metaObjectInterfaceListC& registry, std::string_view name, std::int32_t priority,
                             T* prototype, metaObjectC* interface) {
  std::unique_ptr<T> owned(prototype);
  entries_.reserve(entries_.size() + 1);
  prototypes_.reserve(prototypes_.size() + 1);
  // Nothing below can fail once the vectors have room, so the entry and its
  // prototype never come apart.
  registry.registerInterface(name, interface, priority);
  entries_.push_back({&registry, interface});
  prototypes_.push_back(std::move(owned));
}

modelRegistrationC::modelRegistrationC() {
  try {
    metaObjectInterfaceListC& shapes = shapeRegistry();
    auto shape = [&](std::string_view name, std::int32_t priority, auto* prototype) {
      add(shapes, name, priority, prototype, shapeInterface(prototype));
    };
    shape(kShapeCircle, 3, new mBaseCircle2dC);
    shape(kShapeLine, 3, new mBaseLine2dC);
    shape(kShapeArc, 3, new mBaseArc2dC);
    shape(kShapeIntCurve, 3, new mBaseIntCrv2dC);
    shape(kShapeEllipse, 4, new mBaseEllipse2dC);
    shape(kShapeEllipseArc, 4, new mBaseEllipseArc2dC);
    shape(kShapeSPoint, 3, new mBasePoint2dC);
    shape(kShapeText, 3, new m2dTextC);

    metaObjectInterfaceListC& documents = documentRegistry();
    auto document = [&](std::string_view name, std::int32_t priority, auto* prototype) {
      add(documents, name, priority, prototype, m2dDocumentC::registryInterface(prototype));
    };
    document(kDrawingKey, 4, new m2dDrawingC);
    document(kFigureKey, 4, new m2dFigureC);
  } catch (...) {
    unregisterAll();
    throw;
  }
}

modelRegistrationC::~modelRegistrationC() { unregisterAll(); }

void modelRegistrationC::unregisterAll() noexcept {
  for (const entryC& entry : entries_) entry.registry->unregisterInterface(entry.interface);
  entries_.clear();
  prototypes_.clear();
}

}  // namespace lorvane
