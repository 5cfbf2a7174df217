// The classification of every file object after a scan.
#pragma once

namespace orvel {

class TRunContext;

// Classifies the links of every file object in FileObjects order, as calling ClassifyLinks on
// each in turn would, pumping events between them: one thread per core works out the classes
// of the files ahead while this one keeps them. Nothing may change a file object meanwhile.
void ClassifyAll(TRunContext& Run);

} // namespace orvel
