x = 1; // it's "fine"
# hash line if
y = 2 # rest
/* one */ z /*/ w
/* open "quote
still if 'x'
end */ var
/* a

b */ if
