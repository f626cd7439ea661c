#pragma once

// Whether a step that can fail did its work. A failed step has reported why.
enum class Status { ok, failed };
