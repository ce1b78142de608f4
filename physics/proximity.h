// The proximity effect of the winding, interpolated in a stored table of a numerical model of it
// (scripts/proximity_model.py, docs/proximity.md).
#pragma once

// The coil's resistance at a frequency over its resistance at DC, divided by the same ratio for
// the wire straight and alone (SkinEffectRatio): `shape` H/Dw, `pitchOverWire` p/d (1 or more),
// `turns` N, `dOverDelta` d/delta. 1 at DC. The coil's resistance at DC is a ring's
// (RingResistanceRatio), as the model's is.
double ProximityRatio(double shape, double pitchOverWire, double turns, double dOverDelta);
