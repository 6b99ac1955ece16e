// The motion of the two fruits of a swap, shared by the forward swap and the return swap.
#pragma once

// Sets the velocities of the selected fruit and the swap cell's fruit so that each moves
// toward the other's cell at `speed` cell widths per unit of FrameSpeed.
void AimSwapVelocities(float speed);
