#pragma once

// A time bound in a test only turns a hang into a failure: it lies far above what any check takes under the
// sanitizers with the whole suite running on two cores. How fast something happens is measured in bench/.
constexpr int HangBoundMs = 60000;
