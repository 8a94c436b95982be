#pragma once

// Gives the graph the system's filter classes: the wrappers of the toolkit and
// the card drivers' device classes, in the order lookups test them. The
// program calls it once at start-up, before it builds its first graph.
void RegisterFilterClasses();
