// route_pictures.h: the pictures of the route preview, the dotted path drawn from
// the selected ball to the hovered reachable cell. Each piece is 64 x 64 with
// alpha and is drawn 40.2 units wide centred on its cell, turned by 0, 90, -90 or
// 180 degrees (counter-clockwise, y up) to follow the route.
//
// Unturned, a piece describes a route that travels towards the picture's right
// edge (+x):
//   head      the hovered cell: the path enters at the left edge and ends in an
//             arrow pointing right. Turn it to the direction of the last step.
//   straight  a cell the route crosses: the path runs from the left edge to the
//             right edge. Turn it to the direction of travel (0 or 180 look the
//             same, as do 90 and -90).
//   corner    a cell where the route turns: the path joins the middle of the left
//             edge and the middle of the top edge. At 0 it opens left and up; 90
//             opens left and down; 180 right and down; -90 right and up. Pick the
//             turn that opens towards the previous and the next cell.
//   tail      the cell next to the ball: the path starts near the left edge (the
//             ball's side) with a small dot and leaves at the right edge. Turn it
//             to the direction of the first step away from the ball.
// A route of one step shows only the head.
#pragma once

inline constexpr const char* kRouteHeadPicture = "route_head.tga";
inline constexpr const char* kRouteStraightPicture = "route_straight.tga";
inline constexpr const char* kRouteCornerPicture = "route_corner.tga";
inline constexpr const char* kRouteTailPicture = "route_tail.tga";
