#include "SampleLibrary.h"

namespace vela {

void SampleLibrary::AddInterior()
{
}

} // namespace vela
