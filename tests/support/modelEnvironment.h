#pragma once

namespace lorvane::test {

// The test program registers the model's classes once, as a loaded module
// would; these replace that registration by a fresh one or drop it.
void dropModelRegistration();
void restoreModelRegistration();

}  // namespace lorvane::test
