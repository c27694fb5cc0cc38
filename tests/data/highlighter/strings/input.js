print("a // not a comment");
s = 'it''s';
t = "say 'hi' now";
u = "a \" b";
v = "open
still" + 1;
