#include "log/CLogBase.h"

CLogBase::~CLogBase() = default;
