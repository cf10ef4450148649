#pragma once
// The texts the module leaves under a request's "RESTEXT". They are German
// because the catalogue hosts show them to their users word for word and
// match them as they stand: they are part of the interface, not messages of
// this module's choosing. A "%s" stands for the output path, a figure or a
// record code, filled in by printf.

namespace lorvane {

inline constexpr const char* kResultNoDrawing = "Fehler in der Metadatei!";
inline constexpr const char* kResultNotCreated = "Datei %s konnte nicht erzeugt werden!";
inline constexpr const char* kResultNotWritten = "Datei %s konnte nicht geschrieben werden!";
inline constexpr const char* kResultNumberNotRepresentable = "Figur %s: Zahl im Satz %s nicht darstellbar!";
inline constexpr const char* kResultTextNotRepresentable = "Figur %s: Text im Satz %s nicht darstellbar!";
inline constexpr const char* kResultUnknownException = "unknown exception";

}  // namespace lorvane
