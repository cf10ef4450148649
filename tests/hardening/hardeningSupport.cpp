#include "hardeningSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::hardening {

const char* const kSmallDrawing = R"mt(DRAWING{NAME{"Small"}
  SETTINGS{ME10SETTINGS{ME10LAYERLIST{ME10LAYER{"0"} ME10LAYER{"Thin"}} ME10LWIDTHLIST{ME10LWIDTH{0.5}}
    ME10LCOLORLIST{ME10LCOLOR{3}}}}
  DRAWINGITEMS{FIGURE{NAME{"F"} SHORTNAME{"S"} ANSICHTNO{1} MIDENT{"{T1},{a=1},{b?}"}
    INSERTPOINT{POINT{10,5} ROTATION{30}}
    FIGURITEMS{SHAPEATTR{SHAPEWIDTH{2} SHAPETYP{1} METALINETYPE{2} COSMETIC{1}}
      LINE{POINT{0,0} POINT{4,0}} ARC{POINT{4,0} POINT{6,2} POINT{4,4}} CIRCLE{POINT{1,1} RAD{0.5}}
      TEXT{POINT{0,-2} TEXT{"a\nb"} HEIGHT{2.5} ANGLE{0} TEXTRELPOS{2}}
      ELLIPSE{POINT{0,0} RAD1{3} RAD2{1} ANGLE{15}}}}}})mt";

const char* const kBracketDrawing = R"mt(DRAWING{
  NAME{"Bracket 42-117"}
  SETTINGS{ME10SETTINGS{
    ME10LAYERLIST{ME10LAYER{"0"} ME10LAYER{"Contour"} ME10LAYER{"Thin"} ME10LAYER{"Hidden"} ME10LAYER{"Axis"}}
    ME10LWIDTHLIST{ME10LWIDTH{0.25} ME10LWIDTH{0.5} ME10LWIDTH{0.25} ME10LWIDTH{0.35}}
    ME10LCOLORLIST{ME10LCOLOR{7} ME10LCOLOR{7} ME10LCOLOR{3} ME10LCOLOR{4}}}}
  DRAWINGITEMS{
    FIGURE{NAME{"Front view"} SHORTNAME{"FV"} ANSICHTNO{1} GROUP{"YES"} MIDENT{"{BRK-42},{L=117},{W=60},{T?}"}
      INSERTPOINT{POINT{0,0} ROTATION{0}}
      FIGURITEMS{
        SHAPEATTR{SHAPEWIDTH{2} SHAPETYP{1} METALINETYPE{1} COSMETIC{0}}
        LINE{POINT{0,0} POINT{117,0}} LINE{POINT{117,0} POINT{117,50}}
        ARC{POINT{117,50} POINT{114.0710678,57.0710678} POINT{107,60}}
        LINE{POINT{107,60} POINT{10,60}}
        ARC{POINT{10,60} POINT{2.9289322,57.0710678} POINT{0,50}}
        LINE{POINT{0,50} POINT{0,0}}
        CIRCLE{POINT{20,30} RAD{6.5}} CIRCLE{POINT{97,30} RAD{6.5}}
        SHAPEATTR{SHAPEWIDTH{1} SHAPETYP{2} METALINETYPE{4} COSMETIC{0}}
        LINE{POINT{20,20} POINT{20,40}} LINE{POINT{10,30} POINT{30,30}}
        SHAPEATTR{SHAPEWIDTH{1} SHAPETYP{1} METALINETYPE{5} COSMETIC{0}}
        TEXT{POINT{40,-8} TEXT{"117"} HEIGHT{3.5} ANGLE{0} TEXTRELPOS{2} TEXTALIGN{0} TEXTBW{0} TEXTBH{0}}
        TEXT{POINT{58.5,48} TEXT{"Slot R10\nboth sides"} HEIGHT{2.5} ANGLE{0} TEXTRELPOS{8}}}}
    FIGURE{NAME{"Side view"} ANSICHTNO{2} CUTOUT{HIDDEN{"YES"}} INSERTPOINT{POINT{180,0} ROTATION{90}}
      FIGURITEMS{
        SHAPEATTR{SHAPEWIDTH{2} SHAPETYP{1} METALINETYPE{1}}
        LINE{POINT{0,0} POINT{60,0}} LINE{POINT{60,0} POINT{60,-8}}
        SHAPEATTR{SHAPEWIDTH{1} SHAPETYP{4} METALINETYPE{6}}
        LINE{POINT{-5,-4} POINT{65,-4}}}}
    FIGURE{NAME{"Detail A"} SHORTNAME{"A"} ANSICHTNO{-1} CUTOUT{DASH{"YES"}} INSERTPOINT{POINT{60,-60} ROTATION{30}}
      FIGURITEMS{
        SHAPEATTR{SHAPEWIDTH{2} SHAPETYP{1} METALINETYPE{1}}
        ELLIPSE{POINT{0,0} RAD1{12} RAD2{6} ANGLE{0}}
        ELLIPSEARC{POINT{0,0} RAD1{20} RAD2{10} ANGLE{0} ANGLE1{300} ANGLE2{60}}
        ICRV2D{POINT{-20,-15} POINT{-10,-18} POINT{0,-19} POINT{10,-18} POINT{20,-15}}
        TEXT{POINT{0,14} TEXT{"A (2:1)"} HEIGHT{5} ANGLE{0} TEXTRELPOS{8}}}}}})mt";

std::string treeLinkFault(metaTreeC* root) {
  if (!root) return {};
  if (root->previous() && root->previous()->next() != root) return "root's previous does not lead back";
  long long visited = 0;
  metaTreeC* node = root;
  metaTreeC* const top = root->parent();
  while (node) {
    ++visited;
    if (node->next() && node->next()->previous() != node) return "next's previous is not the node";
    if (node->next() && node->next()->parent() != node->parent()) return "siblings differ in parent";
    if (metaTreeC* child = node->firstChild()) {
      if (child->parent() != node) return "child's parent is not the node";
      if (child->previous() != nullptr) return "first child has a previous";
      node = child;
      continue;
    }
    while (node && !node->next()) {
      node = node->parent();
      if (node == top) return {};
    }
    if (node) node = node->next();
  }
  return {};
}

}  // namespace lorvane::hardening
