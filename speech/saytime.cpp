#include "speech/saytime.h"

#include "platform/services.h"

void SayTime(const Services &)
{
}
